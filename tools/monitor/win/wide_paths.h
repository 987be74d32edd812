// File names as Windows gives them, UTF-16, so that a path with letters outside
// ASCII (C:\Users\Jörg\Flüge\a.txt) reaches the file; the tools' texts are UTF-8.
#pragma once

#include <cstdio>
#include <string>

namespace ulvo::tools {

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

// The whole file; false when it cannot be read.
bool ReadWholeFile(const std::wstring& path, std::string& text);
// The file opened to be written from its start (fopen's "wb"), or null.
std::FILE* CreateForWriting(const std::wstring& path);

}  // namespace ulvo::tools
