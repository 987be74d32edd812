#include "core/completion_runner.h"

namespace ulvo::testbed {

namespace {
constexpr unsigned kLongestDelayMicroseconds = 200;
}  // namespace

CompletionRunner::CompletionRunner(unsigned threadCount) {
    for (unsigned i = 0; i < threadCount; ++i) {
        threads.emplace_back([this] { Serve(); });
    }
}

CompletionRunner::~CompletionRunner() {
    Drain();
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    posted.notify_all();
    for (std::thread& thread : threads) {
        thread.join();
    }
}

void CompletionRunner::Post(std::function<void()> completion) {
    {
        std::lock_guard lock(mutex);
        queue.push_back(std::move(completion));
    }
    posted.notify_one();
}

void CompletionRunner::Pause() {
    if (threads.empty()) {
        return;
    }
    std::unique_lock lock(mutex);
    const std::chrono::microseconds delay = RandomDelay();
    lock.unlock();
    std::this_thread::sleep_for(delay);
}

std::chrono::microseconds CompletionRunner::RandomDelay() {
    return std::chrono::microseconds(
        std::uniform_int_distribution<unsigned>(0, kLongestDelayMicroseconds)(random));
}

std::function<void()> CompletionRunner::TakeOne() {
    size_t index = 0;
    if (!threads.empty()) {
        index = std::uniform_int_distribution<size_t>(0, queue.size() - 1)(random);
    }
    std::function<void()> completion = std::move(queue[index]);
    queue.erase(queue.begin() + std::ptrdiff_t(index));
    return completion;
}

void CompletionRunner::Drain() {
    std::unique_lock lock(mutex);
    if (threads.empty()) {
        while (!queue.empty()) {
            std::function<void()> completion = TakeOne();
            lock.unlock();
            completion();
            lock.lock();
        }
        return;
    }
    idle.wait(lock, [this] { return queue.empty() && running == 0; });
}

void CompletionRunner::Serve() {
    std::unique_lock lock(mutex);
    for (;;) {
        posted.wait(lock, [this] { return stopping || !queue.empty(); });
        if (queue.empty()) {
            return;
        }
        std::function<void()> completion = TakeOne();
        const std::chrono::microseconds delay = RandomDelay();
        ++running;
        lock.unlock();
        std::this_thread::sleep_for(delay);
        completion();
        lock.lock();
        --running;
        if (queue.empty() && running == 0) {
            idle.notify_all();
        }
    }
}

}  // namespace ulvo::testbed
