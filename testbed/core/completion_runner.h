// Runs the I/O completions of the in-memory SimConnect platform. With no threads
// they run on the test's own thread, in the order they were posted, whenever it
// drains them; with threads they run on those threads, in random order and after
// random short delays, concurrently with each other and with the client's calls,
// as the system's pool runs them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

namespace ulvo::testbed {

class CompletionRunner {
  public:
    explicit CompletionRunner(unsigned threadCount);
    // Drains, then ends the threads.
    ~CompletionRunner();
    CompletionRunner(const CompletionRunner&) = delete;
    CompletionRunner& operator=(const CompletionRunner&) = delete;

    void Post(std::function<void()> completion);
    // With threads, waits a random short moment: a start that returns while its
    // completion may already run, as the system's starts do.
    void Pause();
    // Returns once every completion posted so far, and every one they posted in
    // turn, has run. Without threads it runs them itself.
    void Drain();

  private:
    void Serve();
    // Takes a completion from the queue (at random when threaded); the lock is held.
    std::function<void()> TakeOne();

    std::mutex mutex;
    std::condition_variable posted;
    std::condition_variable idle;
    std::deque<std::function<void()>> queue;
    unsigned running = 0;
    bool stopping = false;
    // The random moments; taken under `mutex`.
    std::chrono::microseconds RandomDelay();
    std::mt19937 random{std::random_device{}()};
    std::vector<std::thread> threads;
};

}  // namespace ulvo::testbed
