#include "win/testbed_process.h"

#include <vector>

namespace ulvo::testbed {

namespace {

constexpr std::chrono::milliseconds kExitGrace{5000};

std::wstring ProgramBeside(const wchar_t* program) {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) {
            return program;
        }
        if (length < path.size()) {
            std::wstring full(path.data(), length);
            return full.substr(0, full.find_last_of(L"\\/") + 1) + program;
        }
        path.resize(path.size() * 2);
    }
}

// A pipe whose one end the child inherits.
bool MakePipe(HANDLE& read, HANDLE& write, bool childReads) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&read, &write, &inherit, 0)) {
        return false;
    }
    SetHandleInformation(childReads ? write : read, HANDLE_FLAG_INHERIT, 0);
    return true;
}

void CloseIfOpen(HANDLE& handle) {
    if (handle != nullptr) {
        CloseHandle(handle);
        handle = nullptr;
    }
}

}  // namespace

TestbedProcess::TestbedProcess(const std::wstring& arguments, const wchar_t* programName) {
    // Make sure this process's desktop exists before any pipe does. Otherwise the
    // child's first window makes Wine start the desktop's process from the child,
    // which then holds the child's output pipe open long after the child ended.
    GetDesktopWindow();

    HANDLE childInput = nullptr, childOutput = nullptr;
    if (!MakePipe(childInput, input, true)) {
        return;
    }
    if (!MakePipe(output->pipe, childOutput, false)) {
        CloseIfOpen(childInput);
        CloseIfOpen(input);
        return;
    }

    // A job that kills the process when its last handle closes, also when this
    // process ends without running its destructors.
    job = CreateJobObjectW(nullptr, nullptr);
    if (job != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }

    const std::wstring program = ProgramBeside(programName);
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = childOutput;
    PROCESS_INFORMATION info = {};
    const BOOL created =
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
    CloseIfOpen(childInput);
    CloseIfOpen(childOutput);
    if (!created) {
        CloseIfOpen(input);
        CloseIfOpen(output->pipe);
        CloseIfOpen(job);
        return;
    }
    if (job != nullptr) {
        AssignProcessToJobObject(job, info.hProcess);
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process = info.hProcess;
    reader = std::thread(&TestbedProcess::ReadOutput, output);
}

TestbedProcess::~TestbedProcess() {
    CloseInput();
    if (process != nullptr && !WaitForExit(kExitGrace)) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, DWORD(kExitGrace.count()));
    }
    // Once the process is gone its output ends and the reader returns.
    if (reader.joinable()) {
        std::unique_lock<std::mutex> lock(output->mutex);
        const bool ended =
            output->changed.wait_for(lock, kExitGrace, [this] { return output->ended; });
        lock.unlock();
        if (ended) {
            reader.join();
        } else {
            reader.detach();
        }
    }
    CloseIfOpen(process);
    CloseIfOpen(job);
}

bool TestbedProcess::WriteLine(const std::string& line) {
    if (input == nullptr) {
        return false;
    }
    const std::string text = line + "\n";
    DWORD written = 0;
    return WriteFile(input, text.data(), DWORD(text.size()), &written, nullptr) &&
           written == text.size();
}

std::optional<std::string> TestbedProcess::ReadLine(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(output->mutex);
    output->changed.wait_for(lock, timeout,
                             [this] { return !output->lines.empty() || output->ended; });
    if (output->lines.empty()) {
        return std::nullopt;
    }
    std::string line = std::move(output->lines.front());
    output->lines.pop_front();
    return line;
}

bool TestbedProcess::WaitForLine(const std::string& text) {
    while (auto line = ReadLine(kTestbedAnswerTimeout)) {
        seen += *line + "\n";
        if (line->find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

void TestbedProcess::CloseInput() {
    CloseIfOpen(input);
}

std::optional<DWORD> TestbedProcess::WaitForExit(std::chrono::milliseconds timeout) {
    DWORD code = 0;
    if (process == nullptr ||
        WaitForSingleObject(process, DWORD(timeout.count())) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process, &code)) {
        return std::nullopt;
    }
    return code;
}

void TestbedProcess::ReadOutput(std::shared_ptr<Output> shared) {
    std::string pending;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(shared->pipe, buffer, sizeof buffer, &got, nullptr) && got != 0) {
        pending.append(buffer, got);
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            pending.erase(0, end + 1);
            std::lock_guard<std::mutex> lock(shared->mutex);
            shared->lines.push_back(std::move(line));
            shared->changed.notify_all();
        }
    }
    CloseIfOpen(shared->pipe);
    std::lock_guard<std::mutex> lock(shared->mutex);
    if (!pending.empty()) {
        shared->lines.push_back(std::move(pending));
    }
    shared->ended = true;
    shared->changed.notify_all();
}

}  // namespace ulvo::testbed
