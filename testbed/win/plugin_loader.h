// Loads the real plug-in DLL the way the simulator does. The DLL is first copied
// into a fresh folder of its own, so that each loader (each test) has its own
// log file beside it. Start hands the host's service provider to DLLStart; the
// host party then delivers messages and ticks through the callbacks the plug-in
// registered.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/host_party.h"

namespace ulvo::testbed {

// The name the simulator knows the plug-in by.
inline constexpr wchar_t kPluginFileName[] = L"Ulvo2FSUIPC.dll";

class PluginLoader {
  public:
    // Copies `dllSource` (by default Ulvo2FSUIPC.dll beside this program) into a
    // new folder under the temporary folder, as `fileName`.
    explicit PluginLoader(HostParty& host, const std::wstring& dllSource = DefaultDllSource(),
                          const std::wstring& fileName = kPluginFileName);
    // Stops and unloads the plug-in if needed, then removes the folder.
    ~PluginLoader();
    PluginLoader(const PluginLoader&) = delete;
    PluginLoader& operator=(const PluginLoader&) = delete;

    static std::wstring DefaultDllSource();

    // The copy is in place.
    bool Ready() const { return ready; }

    // LoadLibraryW on the copy; false if it fails or the entry points are missing.
    bool Load();
    // DLLStart with the host's provider.
    void Start();
    // DLLStop; then the host releases the callbacks it still holds (while the DLL
    // is still loaded) and keeps what each last Release returned.
    void Stop();
    // FreeLibrary.
    void Unload();

    // Load and Start; false when loading failed.
    bool LoadAndStart();
    // Stop and Unload.
    void StopAndUnload();

    std::wstring DllPath() const;
    std::wstring LogPath() const;
    // The loaded module, or null.
    HMODULE Module() const { return module; }
    // The log file's bytes; empty when there is none.
    std::string ReadLog() const;

    // What each callback's last Release returned at the latest Stop: 0 for a
    // callback the plug-in released as it should.
    const std::vector<ULONG>& FinalCallbackCounts() const { return finalCallbackCounts; }
    // Callbacks still registered right after the latest DLLStop.
    size_t CallbacksLeftRegistered() const { return callbacksLeftRegistered; }

  private:
    using StartFunction = void (*)(P3D::IPdk* pdk);
    using StopFunction = void (*)();

    HostParty& host;
    std::wstring folder;
    std::wstring fileName;
    bool ready = false;
    HMODULE module = nullptr;
    StartFunction startFunction = nullptr;
    StopFunction stopFunction = nullptr;
    bool started = false;
    std::vector<ULONG> finalCallbackCounts;
    size_t callbacksLeftRegistered = 0;
};

}  // namespace ulvo::testbed
