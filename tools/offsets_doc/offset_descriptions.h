// Words for the offset reference: what each table row of the bridge means to a
// user of the offset block.
#pragma once

#include <string>

#include "bridge/bit_word_table.h"
#include "bridge/control_table.h"
#include "bridge/display_table.h"
#include "bridge/further_table.h"
#include "offsets/block_layout.h"
#include "offsets/value_text.h"

namespace ulvo::tools {

std::string HexField(uint32_t field);  // "0x1E0"

std::string DisplaySource(const bridge::DisplayRow& row);
std::string DisplayEncoding(const bridge::DisplayRow& row);

std::string BitCellText(const bridge::BitCell& cell);
std::string BitWordBlockName(const bridge::BitWordRow& row);  // "SdkBlock" or "Sdk2Block"
// How a row departs from the plain rule; empty for a plain row.
std::string BitWordRule(bridge::BitWordSpecial special);

std::string FurtherSource(const bridge::FurtherRecord& record);
std::string FurtherEncoding(const bridge::FurtherRecord& record);
std::string FurtherReading(const bridge::FurtherRecord& record);

std::string SetValueSeed(const bridge::SetValueControl& control);
std::string SetValueLimits(const bridge::SetValueControl& control);
std::string SetValueAmount(const bridge::SetValueControl& control);
std::string SetValueBlank(const bridge::SetValueControl& control);

// One-line summaries for the table of every offset.
std::string EntryContents(const OffsetEntry& entry);
std::string EntryEncoding(const OffsetEntry& entry);
std::string EntryDirection(const OffsetEntry& entry);

}  // namespace ulvo::tools
