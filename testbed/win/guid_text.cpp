#include "win/guid_text.h"

#include <objbase.h>

namespace ulvo::testbed {

GUID GuidFromText(const std::wstring& text) {
    std::wstring braced = text;
    if (braced.empty() || braced.front() != L'{') {
        braced = L"{" + braced + L"}";
    }
    GUID guid{};
    if (FAILED(IIDFromString(braced.c_str(), &guid))) {
        return GUID{};
    }
    return guid;
}

}  // namespace ulvo::testbed
