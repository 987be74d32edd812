// `testbed.exe fsuipc-server [--no-window]`: FSUIPC in a process of its own, for
// clients in other processes (as a user's monitor program would be). Its window
// runs on a thread of its own; the main thread takes commands from standard input
// (see core/fsuipc_server_protocol.h) and the server ends with "quit" or when its
// input ends, so it never outlives the process that started it with a pipe.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <mutex>
#include <string>

#include "core/fsuipc_server_protocol.h"
#include "modes.h"
#include "win/fsuipc_party.h"

namespace ulvo::testbed {
namespace {

class LineWriter {
  public:
    void Write(const std::string& line) {
        const std::string text = line + "\n";
        std::lock_guard<std::mutex> lock(mutex);
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), DWORD(text.size()), &written,
                  nullptr);
    }

  private:
    std::mutex mutex;  // exchanges are reported from the window's thread
};

// Carries out one command; returns its answer line.
std::string Apply(FsuipcParty& party, const FsuipcServerCommand& command) {
    switch (command.kind) {
        case FsuipcServerCommand::kReply:
            party.AnswerWith(uintptr_t(command.number));
            return "ok";
        case FsuipcServerCommand::kSlow:
            party.AnswerSlowly(uint32_t(command.number), command.delayMs);
            return "ok";
        case FsuipcServerCommand::kBadVersion:
            party.SpoilVersion(command.offset);
            return "ok";
        case FsuipcServerCommand::kSet:
            party.WithSpace([&](FsuipcOffsetSpace& space) {
                std::memcpy(space.bytes.data() + command.offset, command.bytes.data(),
                            command.bytes.size());
            });
            return "ok";
        case FsuipcServerCommand::kGet:
            return "bytes " + party.WithSpace([&](FsuipcOffsetSpace& space) {
                return HexBytes(space.bytes.data() + command.offset, command.number);
            });
        case FsuipcServerCommand::kLog:
            party.LogExchanges(command.on);
            return "ok";
        case FsuipcServerCommand::kCount:
            return "count " + std::to_string(party.ExchangeCount());
        case FsuipcServerCommand::kQuit:
            return "bye";
        case FsuipcServerCommand::kInvalid:
            break;
    }
    return "error " + command.error;
}

int RunFsuipcServer(int argc, wchar_t** argv) {
    bool window = true;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--no-window") == 0) {
            window = false;
        } else {
            std::fwprintf(stderr, L"usage: testbed.exe fsuipc-server [--no-window]\n");
            return 2;
        }
    }

    LineWriter out;
    FsuipcParty::Options options;
    options.thread = FsuipcParty::Thread::kOwn;
    options.window = window;
    options.onExchange = [&out](const FsuipcServedExchange& exchange) {
        out.Write(FormatServedExchange(exchange));
    };
    FsuipcParty party(options);
    if (window && party.Window() == nullptr) {
        out.Write("error no window");
        return 1;
    }
    out.Write("ready " + std::to_string(GetCurrentProcessId()));

    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buffer[1024];
    DWORD got = 0;
    while (ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got != 0) {
        pending.append(buffer, got);
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            const FsuipcServerCommand command =
                ParseFsuipcServerCommand(std::string_view(pending).substr(0, end));
            pending.erase(0, end + 1);
            out.Write(Apply(party, command));
            if (command.kind == FsuipcServerCommand::kQuit) {
                return 0;
            }
        }
        if (pending.size() > 4096) {
            out.Write("error line too long");
            pending.clear();
        }
    }
    return 0;
}

const TestbedMode fsuipcServerMode(L"fsuipc-server",
                                   L"FSUIPC for clients in other processes, driven by stdin",
                                   RunFsuipcServer);

}  // namespace
}  // namespace ulvo::testbed
