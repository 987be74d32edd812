#include "monitor/win/wide_paths.h"

#include <windows.h>

namespace ulvo::tools {

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(size_t(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

std::wstring Wide(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring text(size_t(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), size);
    return text;
}

bool ReadWholeFile(const std::wstring& path, std::string& text) {
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) {
        return false;
    }
    char buffer[4096];
    text.clear();
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) != 0;) {
        text.append(buffer, got);
    }
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

std::FILE* CreateForWriting(const std::wstring& path) {
    return _wfopen(path.c_str(), L"wb");
}

}  // namespace ulvo::tools
