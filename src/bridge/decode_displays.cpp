#include "bridge/decode_displays.h"

#include <utility>

#include "bridge/display_table.h"

namespace ulvo::bridge {

namespace {

// The running sum is kept in 64-bit integers. Every product of a 32-bit field and
// a weight of at most 10000, and every sum of five of them, is a whole number
// below 2^53, where doubles are exact: the result is the same as adding the
// products in double precision, only cheaper, and a wild field cannot wrap.
inline int64_t AddPosition(int64_t sum, int32_t field, uint16_t weight) {
    return field < kFirstNonDigit ? int64_t(field) * weight + sum : 0;
}

// One display, unrolled at compile time from its table row.
template <size_t D>
double DecodeDisplay(const aircraft::SdkBlock& block) {
    constexpr DisplayRow row = kDisplayRows[D];
    constexpr DisplayDigit last = row.digit[row.digits - 1];
    int64_t sum = 0;
    [&]<size_t... P>(std::index_sequence<P...>) {
        ((sum =
              AddPosition(sum, aircraft::FieldI32(block, row.digit[P].field), row.digit[P].weight)),
         ...);
    }
    (std::make_index_sequence<row.digits - 1>{});
    const int32_t lastField = aircraft::FieldI32(block, last.field);
    return lastField < kFirstNonDigit ? double(int64_t(lastField) * last.weight + sum)
                                      : kBlankDisplay;
}

}  // namespace

void DecodeDisplays(BridgeCycle& cycle) {
    if (cycle.tables.blocksAlreadyPublished) {
        return;  // DisplayValues already hold what these blocks show
    }
    const aircraft::SdkBlock& block = cycle.tables.sdkBlock;
    auto& values = cycle.tables.displayValues;
    [&]<size_t... D>(std::index_sequence<D...>) {
        ((values[kDisplayRows[D].index] = DecodeDisplay<D>(block)), ...);
    }
    (std::make_index_sequence<kDisplayRows.size()>{});
}

}  // namespace ulvo::bridge
