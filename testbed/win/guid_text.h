// GUIDs in their usual text form, "5B3BAC47-D372-4A51-A666-D0BC839484C7". The
// testbed writes the host's ids as text, apart from the plug-in's own constants,
// so that a wrong byte on either side shows.
#pragma once

#include <windows.h>

#include <string>

namespace ulvo::testbed {

// Parses the text (with or without braces); an unreadable text gives GUID_NULL.
GUID GuidFromText(const std::wstring& text);

}  // namespace ulvo::testbed
