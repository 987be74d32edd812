// The offset reference, docs/offsets.md, as one Markdown text generated from the
// bridge's tables.
#pragma once

#include <string>

namespace ulvo::tools {

std::string OffsetsMarkdown();

}  // namespace ulvo::tools
