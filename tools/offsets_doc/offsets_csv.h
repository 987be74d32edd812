// The offset reference for programs and spreadsheets: docs/offsets.csv, one row
// per typed item (offset_items.h), generated from the same tables as
// docs/offsets.md. ASCII, comma-separated, a header row, fields quoted where they
// hold a comma or a quote.
#pragma once

#include <string>

namespace ulvo::tools {

std::string OffsetsCsv();

}  // namespace ulvo::tools
