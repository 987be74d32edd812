#include "bridge/write_further_offsets.h"

#include <cmath>
#include <utility>

#include "bridge/block_fields.h"
#include "bridge/further_table.h"
#include "bridge/offset_write.h"
#include "common/little_endian.h"
#include "common/numeric.h"

namespace ulvo::bridge {

namespace {

// The change test is made on the source, not on the data written: 256 -> 512
// still sends a record although its low byte stays 0. Doubles compare as doubles,
// so a NaN source never equals its copy and is sent in every cycle.
// Returns true, with the integer to publish in `staged`, when the source changed.
bool SourceChanged(const aircraft::SdkBlock& block, const FurtherRecord& record, size_t index,
                   FurtherLastSent& lastSent, int32_t& staged) {
    if (record.type == FurtherSource::kWhole) {
        const int32_t value = aircraft::FieldI32(block, record.source);
        if (value == lastSent.whole[index]) {
            return false;
        }
        lastSent.whole[index] = value;
        staged = value;
        return true;
    }
    const double value = aircraft::FieldF64(block, record.source);
    if (value == lastSent.real[index]) {
        return false;
    }
    lastSent.real[index] = value;
    // A scaled value outside the 32-bit range saturates to it and NaN gives 0: the
    // data written for such a source stays defined (the bare conversion is not).
    staged = TruncateToI32(value * record.factor);
    return true;
}

// The change test of one record, unrolled from the table: 1 when the source
// differs from its copy (a NaN source always does), else 0.
template <size_t I>
inline unsigned SourceDiffers(const aircraft::SdkBlock& block, const FurtherLastSent& lastSent) {
    constexpr FurtherRecord record = kFurtherRecords[I];
    if constexpr (record.type == FurtherSource::kWhole) {
        return int32_t(BlockU32(block, record.source)) != lastSent.whole[I] ? 1u : 0u;
    } else {
        return BlockF64(block, record.source) == lastSent.real[I] ? 0u : 1u;
    }
}

// A steady aircraft changes none of the 67 sources: one branch-free pass finds
// that before the ordered pass that writes.
bool AnySourceChanged(const aircraft::SdkBlock& block, const FurtherLastSent& lastSent) {
    return [&]<size_t... I>(std::index_sequence<I...>) {
        return (SourceDiffers<I>(block, lastSent) | ...) != 0;
    }
    (std::make_index_sequence<kFurtherRecords.size()>{});
}

// Whether a real source's last-sent copy is not a number: its source was not one
// either when it was sent, and such a source counts as changed in every cycle.
template <size_t I>
inline unsigned CopyNotANumber(const FurtherLastSent& lastSent) {
    if constexpr (kFurtherRecords[I].type == FurtherSource::kReal) {
        return std::isnan(lastSent.real[I]) ? 1u : 0u;
    } else {
        return 0u;
    }
}

bool AnyCopyNotANumber(const FurtherLastSent& lastSent) {
    return [&]<size_t... I>(std::index_sequence<I...>) {
        return (CopyNotANumber<I>(lastSent) | ...) != 0;
    }
    (std::make_index_sequence<kFurtherRecords.size()>{});
}

}  // namespace

void WriteFurtherOffsets(BridgeCycle& cycle) {
    const aircraft::SdkBlock& block = cycle.tables.sdkBlock;
    // Blocks already published: every source equals its copy unless it is not a
    // number, so only those could be sent.
    if (cycle.tables.blocksAlreadyPublished && !AnyCopyNotANumber(cycle.tables.furtherLastSent)) {
        return;
    }
    if (!AnySourceChanged(block, cycle.tables.furtherLastSent)) {
        return;
    }
    for (size_t i = 0; i < kFurtherRecords.size(); ++i) {
        const FurtherRecord& record = kFurtherRecords[i];
        int32_t staged = 0;
        if (!SourceChanged(block, record, i, cycle.tables.furtherLastSent, staged)) {
            continue;
        }
        cycle.plugin.stagedValue = staged;
        // The low byte or the low 16 bits, little-endian; negative values in two's
        // complement.
        uint8_t data[2];
        StoreU16(data, uint16_t(staged));
        QueueOffsetWrite(cycle, record.offset, record.size, data);
    }
}

}  // namespace ulvo::bridge
