// The SimConnect client's platform on Windows: SimConnect.cfg and the registry
// through the system, pipes and sockets with overlapped I/O, Winsock, posted
// messages and events, the simulator window, and Sleep.
#pragma once

#include <atomic>
#include <cstdint>

#include "simconnect/client_platform.h"
#include "simconnect/win/win32_configuration.h"

namespace ulvo::simconnect {

class Win32ClientPlatform final : public ClientPlatform {
  public:
    ConfigurationSource& Configuration() override { return configuration; }
    std::unique_ptr<Transport> OpenPipe(const std::wstring& path,
                                        SimConnectConnection& connection) override;
    bool StartSockets() override;
    void StopSockets() override;
    std::unique_ptr<Transport> OpenSocket(IpFamily family, const std::wstring& address,
                                          const std::wstring& port,
                                          SimConnectConnection& connection) override;
    void PostUserMessage(uintptr_t window, uint32_t message) override;
    void SignalEvent(uintptr_t event) override;
    uintptr_t FindSimulatorWindow() override;
    bool WindowInThisProcess(uintptr_t window) override;
    void SendChannelRecord(uintptr_t window, uint8_t* record) override;
    void Sleep(uint32_t milliseconds) override;

    // For tests: the waits for a busy pipe so far.
    uint32_t BusyPipeWaits() const { return busyPipeWaits.load(); }

  private:
    Win32Configuration configuration;
    std::atomic<uint32_t> busyPipeWaits{0};
};

}  // namespace ulvo::simconnect
