// FSUIPC through the plug-in's own IPC client, as the web server's exchanges
// need it: the monitor's way to the offsets of a running simulator.
#pragma once

#include "fsuipc/fsuipc_link.h"
#include "web/shared_space.h"

namespace ulvo::tools::web {

class LinkAccess final : public FsuipcAccess {
  public:
    explicit LinkAccess(fsuipc::FsuipcLink& fsuipcLink) : link(fsuipcLink) {}

    bool QueueRead(uint32_t offset, uint32_t size, uint8_t* data) override {
        return link.Read(offset, size, data, result);
    }
    bool QueueWrite(uint32_t offset, const uint8_t* data, uint32_t size) override {
        return link.Write(offset, size, data, result);
    }
    bool Send() override { return link.Process(result); }

    uint32_t result = 0;  // the link's code of the last request

  private:
    fsuipc::FsuipcLink& link;
};

}  // namespace ulvo::tools::web
