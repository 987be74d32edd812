#include "bridge/write_bit_word_offsets.h"

#include <cstring>

#include "bridge/bit_word_table.h"
#include "bridge/offset_write.h"

namespace ulvo::bridge {

void WriteBitWordOffsets(BridgeCycle& cycle) {
    if (cycle.tables.blocksAlreadyPublished) {
        return;  // every word was sent when these blocks were first seen
    }
    const auto& words = cycle.tables.bitWords;
    auto& lastSent = cycle.tables.bitWordLastSent;
    if (std::memcmp(words.data(), lastSent.data(), sizeof words) == 0) {
        return;  // a steady cockpit
    }
    for (const BitWordRecord& record : kBitWordRecords) {
        const uint32_t word = words[record.word];
        // All 32 bits take part, so a change above bit 7 sends the same byte again.
        if (word == lastSent[record.word]) {
            continue;
        }
        const uint8_t data = uint8_t(word);
        QueueOffsetWrite(cycle, record.offset, 1, &data);
        lastSent[record.word] = word;
    }
}

}  // namespace ulvo::bridge
