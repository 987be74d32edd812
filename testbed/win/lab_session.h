// The panel lab's stand-in simulator around the real Ulvo2FSUIPC.dll beside the
// program: the testbed's plug-in session (the host, the aircraft's sections, a
// SimConnect server on the simulator's usual pipe, and FSUIPC on a thread of
// its own, answering every program on this PC as the simulator's would), GSX's
// doors, and everything that happens, as values (tools::LabEvent).
//
// The contract, for the lab's program and any other front end:
//   - Make one LabSession and use it from that thread only. Start() loads the
//     plug-in and returns once its worker runs; then call Service() in a loop
//     (it pumps the simulator's window for a moment, until the plug-in's next
//     exchange at most, and ticks the host every second) and TakeEvents() to
//     see what happened since the last call.
//   - Drive it through tools::LabPort: Apply() a tools::CockpitSet (a value the
//     aircraft shows, a command code, a counter step) and the other actions.
//   - The lab holds nothing outside the plug-in's block until a line sets it.
//     A fresh FSUIPC holds 0 at 0x9400, so the plug-in's first cycle performs
//     command 0 and clears the word; Start() reports that as its first events.
//   - Stop() (or the destructor) ends the session as the simulator would.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/gsx_doors.h"
#include "core/simconnect_message_text.h"
#include "panel_lab/lab_event.h"
#include "panel_lab/lab_port.h"
#include "win/plugin_session.h"

namespace ulvo::testbed {

class LabSession final : public tools::LabPort {
  public:
    LabSession();
    ~LabSession() override;
    LabSession(const LabSession&) = delete;
    LabSession& operator=(const LabSession&) = delete;

    // False, with Problem() saying why, when the plug-in could not be started.
    bool Start();
    const std::string& Problem() const { return problem; }
    void Service(std::chrono::milliseconds pump = std::chrono::milliseconds(2));
    std::vector<tools::LabEvent> TakeEvents();
    // Seconds since Start() returned; below 0 before.
    double Seconds() const;
    void Stop();

    // The times measured so far, in milliseconds: from each `set` of the
    // aircraft to its value being readable by FSUIPC clients, and from each
    // write of a client to the command word or a control byte to the first
    // command reaching the aircraft.
    const std::vector<double>& SetToReadable() const { return setToReadable; }
    const std::vector<double>& WriteToCommand() const { return writeToCommand; }
    // The times between the plug-in's exchanges with FSUIPC, in milliseconds,
    // kept while KeepPeriods(true): its cycle when nothing else happens.
    void KeepPeriods(bool keep);
    const std::vector<double>& Periods() const { return periods; }

    // FSUIPC reached from this process, as a program reaches it (the web panel's
    // clients): a read copies what FSUIPC holds now; a write is stored and shown
    // as a program's write (kClientWrote events, the time until its command).
    void FsuipcRead(uint32_t offset, uint32_t size, uint8_t* data);
    void FsuipcWrite(uint32_t offset, const uint8_t* data, uint32_t size);
    // What GSX knows: the doors that stand open, the jetway's last report.
    bool DoorOpen(groundservices::Door door) const { return gsx.IsOpen(door); }
    double JetwayValue(groundservices::Jetway which) const { return jetway[size_t(which)]; }

    tools::BlockSnapshot Block() override;
    uint64_t Apply(const tools::CockpitWrite& write) override;
    bool TakenUp(uint64_t mark) override;
    void FsuipcSet(uint32_t offset, uint32_t size, uint64_t value) override;
    void FsuipcRestart() override;
    std::string Door(groundservices::Door door, tools::DoorAction action) override;
    void Jetway(groundservices::Jetway which, double value) override;
    void AircraftLoaded(bool other) override;
    void SimConnectFail() override;

  private:
    struct Exchange {
        double at;  // milliseconds
        FsuipcServedExchange served;
    };
    struct PendingSet {
        tools::OffsetTarget target;
        uint32_t reads;
        double applied;
    };

    FsuipcParty::Options FsuipcOptions();
    void Emit(tools::LabEvent event);
    void Note(const std::string& text);
    void CollectCommands();
    void CollectSimEvents();
    void CollectExchanges();
    void Exchanged(const Exchange& exchange, bool plugin);
    void CollectLog(bool whole);
    double Milliseconds() const;

    std::mutex exchangesMutex;  // the FSUIPC thread hands its exchanges over
    std::vector<Exchange> exchanges;
    std::atomic<uint64_t> pluginExchanges{0};

    PluginSession session;
    Testbed& testbed = session.testbed;
    GsxDoors gsx;
    ClientEventNames eventNames;
    std::vector<size_t> messagesSeen;  // per SimConnect connection
    tools::BlockSnapshot published;    // the block as the plug-in and the lab wrote it
    size_t logSeen = 0;
    double nextLogRead = 0.0;
    double nextTick = 0.0;
    double startedAt = -1.0;
    std::string problem;
    std::vector<tools::LabEvent> events;

    std::vector<PendingSet> pendingSets;
    std::optional<double> pendingWrite;  // a client's write, waiting for its command
    std::vector<double> setToReadable;
    std::vector<double> writeToCommand;
    bool keepPeriods = false;
    std::optional<double> lastPluginExchange;
    std::vector<double> periods;
    double jetway[2] = {0.0, 0.0};  // power, air
};

}  // namespace ulvo::testbed
