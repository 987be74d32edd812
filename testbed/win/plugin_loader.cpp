#include "win/plugin_loader.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace ulvo::testbed {

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kLogName[] = L"Ulvo2FSUIPC.log";

fs::path ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(std::wstring(path, length)).parent_path();
}

// A folder nobody uses yet: the process id and a counter keep loaders of one
// process and of parallel processes apart.
fs::path FreshFolder() {
    static std::atomic<unsigned> counter{0};
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    for (;;) {
        const fs::path candidate =
            base / (L"ulvo-testbed-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(counter++));
        if (fs::create_directories(candidate, error)) {
            return candidate;
        }
        if (error) {
            return {};
        }
    }
}

}  // namespace

PluginLoader::PluginLoader(HostParty& host_, const std::wstring& dllSource,
                           const std::wstring& fileName_)
    : host(host_), fileName(fileName_) {
    const fs::path created = FreshFolder();
    if (created.empty()) {
        return;
    }
    folder = created.wstring();
    std::error_code error;
    ready = fs::copy_file(dllSource, created / fileName, error) && !error;
}

PluginLoader::~PluginLoader() {
    StopAndUnload();
    if (!folder.empty()) {
        std::error_code error;
        fs::remove_all(folder, error);
    }
}

std::wstring PluginLoader::DefaultDllSource() {
    return (ProgramFolder() / kPluginFileName).wstring();
}

bool PluginLoader::Load() {
    if (!ready || module != nullptr) {
        return false;
    }
    module = LoadLibraryW(DllPath().c_str());
    if (module == nullptr) {
        return false;
    }
    // Through void*: a FARPROC has no parameters, the entry points do.
    startFunction = reinterpret_cast<StartFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, "DLLStart")));
    stopFunction =
        reinterpret_cast<StopFunction>(reinterpret_cast<void*>(GetProcAddress(module, "DLLStop")));
    if (startFunction == nullptr || stopFunction == nullptr) {
        Unload();
        return false;
    }
    return true;
}

void PluginLoader::Start() {
    if (startFunction != nullptr && !started) {
        startFunction(host.Provider());
        started = true;
    }
}

void PluginLoader::Stop() {
    if (!started) {
        return;
    }
    stopFunction();
    started = false;
    callbacksLeftRegistered = host.events.RegisteredCount();
    finalCallbackCounts = host.events.ReleaseCallbacks();
}

void PluginLoader::Unload() {
    Stop();
    if (module != nullptr) {
        FreeLibrary(module);
        module = nullptr;
    }
    startFunction = nullptr;
    stopFunction = nullptr;
}

bool PluginLoader::LoadAndStart() {
    if (!Load()) {
        return false;
    }
    Start();
    return true;
}

void PluginLoader::StopAndUnload() {
    Stop();
    Unload();
}

std::wstring PluginLoader::DllPath() const {
    return (fs::path(folder) / fileName).wstring();
}

std::wstring PluginLoader::LogPath() const {
    return (fs::path(folder) / kLogName).wstring();
}

std::string PluginLoader::ReadLog() const {
    std::ifstream file(fs::path(LogPath()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace ulvo::testbed
