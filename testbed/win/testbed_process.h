// testbed.exe started as a process of its own (`testbed.exe <mode> [arguments]`),
// talked to through its standard input and output, a line at a time.
//
// It can never outlive its starter: it runs in a job that ends with the last
// handle to it, its standard input ends when the starter goes, and the destructor
// closes that input, waits a moment and then terminates it.
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace ulvo::testbed {

// How long to wait for a child to start, answer or end. Generous on purpose: in a
// Wine session that has only just started, a new process waits until Wine's own
// services are up, which on a busy machine takes many seconds.
constexpr std::chrono::seconds kTestbedAnswerTimeout{45};

class TestbedProcess {
  public:
    // `arguments` follow the program's name, e.g. L"soak 60". The program,
    // testbed.exe unless another is named, is looked for beside the running one.
    explicit TestbedProcess(const std::wstring& arguments, const wchar_t* program = L"testbed.exe");
    ~TestbedProcess();
    TestbedProcess(const TestbedProcess&) = delete;
    TestbedProcess& operator=(const TestbedProcess&) = delete;

    bool Started() const { return process != nullptr; }

    // Writes one line (a line end is added). False once the input is closed.
    bool WriteLine(const std::string& line);
    // The next output line without its line end, or nothing when none came within
    // `timeout` or the output has ended.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // Reads lines until one holds `text` (true) or none comes within
    // kTestbedAnswerTimeout (false). Seen() keeps every line read, each ended by "\n".
    bool WaitForLine(const std::string& text);
    const std::string& Seen() const { return seen; }
    // Ends the process's input, which tells a server to stop.
    void CloseInput();
    // The exit code once the process has ended within `timeout`.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);

  private:
    // What the reader thread shares with us. The reader owns it jointly, so even a
    // reader that never returns (a process that cannot be ended) is left safely.
    struct Output {
        HANDLE pipe = nullptr;  // our end of its standard output and error
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<std::string> lines;
        bool ended = false;
    };
    static void ReadOutput(std::shared_ptr<Output> shared);

    HANDLE job = nullptr;
    HANDLE process = nullptr;
    HANDLE input = nullptr;  // our end of its standard input
    std::shared_ptr<Output> output = std::make_shared<Output>();
    std::thread reader;
    std::string seen;
};

}  // namespace ulvo::testbed
