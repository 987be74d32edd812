// The offset reference for programs: docs/offsets.csv, one row per value of the
// block (one per bit position of the lamp and switch bytes), generated from the
// same tables as docs/offsets.md.
#pragma once

#include <string>

namespace ulvo::tools {

// Columns: offset, size, kind, bit, name, scale, values, source.
std::string OffsetsCsv();

}  // namespace ulvo::tools
