// The simulator's side of the SimConnect in-process channel on the simulator
// window ("FS98MAIN"): the client's WM_COMMAND records (wParam 0x2002A) go to the
// host channel of testbed/core, which answers, binds and delivers.
#pragma once

#include "core/host_channel.h"
#include "win/sim_window.h"

namespace ulvo::testbed {

class SimConnectHostChannel : public HostChannel {
  public:
    // A kind-1 record is bound at once, inside the client's send.
    explicit SimConnectHostChannel(SimWindow& window);
    ~SimConnectHostChannel();

  private:
    SimWindow& window;
    int handlerId;
};

}  // namespace ulvo::testbed
