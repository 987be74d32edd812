#include "bridge/pack_bit_words.h"

#include <utility>

#include "bridge/bit_word_table.h"
#include "bridge/block_fields.h"

namespace ulvo::bridge {

namespace {

struct Blocks {
    const aircraft::SdkBlock& sdk;
    const aircraft::Sdk2Block& sdk2;
};

template <BitWordBlock B>
inline uint32_t FieldU32(const Blocks& blocks, uint16_t field) {
    if constexpr (B == BitWordBlock::kSdk2) {
        return BlockU32(blocks.sdk2, field);
    } else {
        return BlockU32(blocks.sdk, field);
    }
}

// What one cell adds to its word. The table is known at compile time, so each
// word becomes straight-line loads, shifts and adds.
template <size_t W, size_t P>
inline uint32_t CellTerm(const Blocks& blocks) {
    constexpr BitWordRow row = kBitWordRows[W];
    constexpr BitCell cell = row.bits[P];
    if constexpr (cell.source == BitSource::kField) {
        return FieldU32<row.block>(blocks, cell.field) << P;
    } else if constexpr (cell.source == BitSource::kFieldEquals) {
        return FieldU32<row.block>(blocks, cell.field) == uint32_t(cell.value) ? 1u << P : 0u;
    } else if constexpr (cell.source == BitSource::kFieldNotEquals) {
        return FieldU32<row.block>(blocks, cell.field) != uint32_t(cell.value) ? 1u << P : 0u;
    } else if constexpr (cell.source == BitSource::kUpperBits) {
        return ((FieldU32<row.block>(blocks, cell.field) >> 1) & 0x7Fu) << P;
    } else if constexpr (cell.source == BitSource::kWholeValue) {
        return FieldU32<row.block>(blocks, cell.field);
    } else {
        return 0u;  // zero, covered and never-set positions add nothing
    }
}

template <size_t W>
inline uint32_t PackWord(const Blocks& blocks) {
    return [&]<size_t... P>(std::index_sequence<P...>) {
        return (CellTerm<W, P>(blocks) + ...);
    }
    (std::make_index_sequence<8>{});
}

}  // namespace

void PackBitWords(BridgeCycle& cycle) {
    if (cycle.tables.blocksAlreadyPublished) {
        return;  // BitWords already hold what these blocks show
    }
    const Blocks blocks{cycle.tables.sdkBlock, cycle.tables.sdk2Block};
    auto& words = cycle.tables.bitWords;
    [&]<size_t... W>(std::index_sequence<W...>) {
        ((words[kBitWordRows[W].index] = PackWord<W>(blocks)), ...);
    }
    (std::make_index_sequence<kBitWordRows.size()>{});
}

}  // namespace ulvo::bridge
