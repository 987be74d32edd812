// An offset space for the web protocol's native tests: bytes a test sets, which
// read as unknown until it marks them read, and the writes clients asked for.
#pragma once

#include <algorithm>
#include <vector>

#include "web/offset_space.h"

namespace ulvo::testbed {

class MemoryOffsetSpace final : public tools::web::OffsetSpace {
  public:
    bool Read(uint32_t offset, uint32_t size, uint8_t* data) const override {
        if (!image.Known(offset, size)) {
            return false;
        }
        std::copy_n(image.bytes.begin() + offset, size, data);
        return true;
    }
    void Write(tools::web::WriteRequest write) override { writes.push_back(std::move(write)); }

    // Bytes as FSUIPC holds them, known from now on.
    void Set(uint32_t offset, std::vector<uint8_t> bytes) {
        image.Store(offset, bytes.data(), uint32_t(bytes.size()));
    }

    tools::web::SpaceImage image;
    std::vector<tools::web::WriteRequest> writes;
};

}  // namespace ulvo::testbed
