#include "win/fsuipc_party.h"

#include <algorithm>
#include <future>
#include <utility>

#include "fsuipc/fsuipc_link.h"

namespace ulvo::testbed {

namespace {

constexpr wchar_t kClassName[] = L"UIPCMAIN";

void RegisterClassOnce(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass);
    }();
    (void)atom;
}

// A section the client named, mapped for the time of one exchange.
class MappedSection {
  public:
    explicit MappedSection(const char* name) {
        section = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
        if (section == nullptr) {
            return;
        }
        view = static_cast<uint8_t*>(MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, 0));
        MEMORY_BASIC_INFORMATION info;
        if (view != nullptr && VirtualQuery(view, &info, sizeof info) == sizeof info) {
            // A client may have made its section smaller than the protocol's buffer;
            // never look past what is really mapped.
            size = std::min<size_t>(info.RegionSize, fsuipc::kBufferSize);
        }
    }
    ~MappedSection() {
        if (view != nullptr) {
            UnmapViewOfFile(view);
        }
        if (section != nullptr) {
            CloseHandle(section);
        }
    }
    MappedSection(const MappedSection&) = delete;
    MappedSection& operator=(const MappedSection&) = delete;

    uint8_t* view = nullptr;
    size_t size = 0;

  private:
    HANDLE section = nullptr;
};

}  // namespace

FsuipcParty::FsuipcParty(Options options_) : options(std::move(options_)) {
    logging = options.logExchanges;
    space.SetValidVersions();
    ipcMessage = RegisterWindowMessageW(L"FsasmLib:IPC");
    stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (stopEvent == nullptr) {
        return;
    }
    RegisterClassOnce(&FsuipcParty::WindowProc);
    if (options.thread == Thread::kCalling) {
        window = CreatePartyWindow();
        return;
    }
    std::promise<HWND> created;
    std::future<HWND> ready = created.get_future();
    ownThread = std::thread([this, &created] {
        created.set_value(CreatePartyWindow());
        RunOwnThread();
    });
    window = ready.get();
}

FsuipcParty::~FsuipcParty() {
    if (stopEvent != nullptr) {
        SetEvent(stopEvent);
    }
    if (ownThread.joinable()) {
        ownThread.join();
    } else if (window != nullptr) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    if (stopEvent != nullptr) {
        CloseHandle(stopEvent);
    }
}

HWND FsuipcParty::CreatePartyWindow() {
    // Hidden and top-level, as FSUIPC's own: a message-only window would not be
    // found by FindWindowEx on Windows.
    HWND created = CreateWindowExW(0, kClassName, L"FSUIPC testbed", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                   100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (created != nullptr) {
        SetWindowLongPtrW(created, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    return created;
}

void FsuipcParty::RunOwnThread() {
    // Runs until the stop event is set; the event, unlike a posted quit message,
    // cannot get lost, so the destructor never waits for a thread that missed it.
    for (bool running = true; running;) {
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(1, &stopEvent, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1) {
            break;  // stopped, or the wait itself failed
        }
        MSG message;
        while (running && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            running = message.message != WM_QUIT;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (window != nullptr) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

LRESULT CALLBACK FsuipcParty::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FsuipcParty*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == self->ipcMessage) {
        return self->Serve(wParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void FsuipcParty::AnswerSlowly(uint32_t answers, uint32_t delayMs) {
    slowDelayMs = delayMs;
    slowAnswers = answers;
}

std::vector<FsuipcServedExchange> FsuipcParty::Exchanges() const {
    std::lock_guard<std::mutex> lock(mutex);
    return exchanges;
}

std::vector<FsuipcServedExchange> FsuipcParty::TakeExchanges() {
    std::lock_guard<std::mutex> lock(mutex);
    return std::exchange(exchanges, {});
}

void FsuipcParty::WaitIfSlow() {
    uint32_t left = slowAnswers;
    while (left != 0 && !slowAnswers.compare_exchange_weak(left, left - 1)) {
    }
    if (left != 0) {
        WaitForSingleObject(stopEvent, slowDelayMs);
    }
}

LRESULT FsuipcParty::Serve(WPARAM atom) {
    ++exchangeCount;
    WaitIfSlow();

    FsuipcServedExchange served;
    served.reply = 1;
    char name[256];
    const UINT length = GlobalGetAtomNameA(ATOM(atom), name, sizeof name);
    if (length != 0) {
        served.section.assign(name, length);
        MappedSection section(name);
        if (section.view == nullptr) {
            served.reply = 0;  // nothing to work on: the exchange is refused
        } else {
            std::lock_guard<std::mutex> lock(mutex);
            space.Execute(section.view, section.size, &served.log);
        }
    } else {
        served.reply = 0;  // the atom names no buffer
    }

    if (logging) {
        std::lock_guard<std::mutex> lock(mutex);
        exchanges.push_back(served);
    }
    if (options.onExchange) {
        options.onExchange(served);
    }
    return LRESULT(served.reply);
}

}  // namespace ulvo::testbed
