// What the readers of scenario lines share: a line's words, the rest of a line
// after some of them, seconds, and the expect lines (scenario_expect.cpp).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "panel_lab/scenario.h"

namespace ulvo::tools {

using Words = std::vector<std::string_view>;

// The words of `text`, split at blanks and tabs.
Words SplitWords(std::string_view text);
// The rest of the line after its first `count` words, as written.
std::string_view Rest(std::string_view text, const Words& words, size_t count);
// A decimal number of seconds, not negative unless `anySign`.
bool ParseSeconds(std::string_view text, double& seconds, bool anySign = false);

// The offset and value of `set` and `expect`, read as offset_value.h reads them:
// why they cannot be used, `usage` for a wrong count of words, or "".
std::string ParseOffsetAndValue(ScenarioLine& line, const Words& words, const char* usage);
// `expect ...`: fills the line and returns why it cannot be used, or "".
std::string ParseExpect(ScenarioLine& line, std::string_view text, const Words& words);

}  // namespace ulvo::tools
