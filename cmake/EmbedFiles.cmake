# Writes a C++ file that holds the given files as byte arrays, for
# tools/web/embedded_files.h: cmake -DOUTPUT=file.cpp -DFILES="a|b" -P EmbedFiles.cmake
string(REPLACE "|" ";" FILES "${FILES}")
set(entries "")
set(arrays "")
set(index 0)
foreach(file ${FILES})
    get_filename_component(name ${file} NAME)
    get_filename_component(extension ${file} EXT)
    if(extension STREQUAL ".html")
        set(type "text/html; charset=utf-8")
    elseif(extension STREQUAL ".css")
        set(type "text/css; charset=utf-8")
    elseif(extension STREQUAL ".js")
        set(type "text/javascript; charset=utf-8")
    elseif(extension STREQUAL ".png")
        set(type "image/png")
    else()
        set(type "application/octet-stream")
    endif()
    file(READ ${file} hex HEX)
    string(LENGTH "${hex}" length)
    math(EXPR size "${length} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
    string(APPEND arrays "const char kFile${index}[] = {${bytes}'\\0'};\n")
    string(APPEND entries "    {\"/${name}\", \"${type}\", {kFile${index}, ${size}}},\n")
    math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Generated from tools/web/page by cmake/EmbedFiles.cmake.
#include \"web/embedded_files.h\"

namespace ulvo::tools::web {
namespace {
${arrays}
const EmbeddedFile kFiles[] = {
${entries}};
}  // namespace

const EmbeddedFile* FindEmbeddedFile(std::string_view path) {
    for (const EmbeddedFile& file : kFiles) {
        if (file.path == path) {
            return &file;
        }
    }
    return nullptr;
}

}  // namespace ulvo::tools::web
")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUTPUT}.new ${OUTPUT})
