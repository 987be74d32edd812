// The page's files (tools/web/page), embedded into the programs when they are
// built, so the page works offline and can never come from anywhere else.
#pragma once

#include <cstddef>
#include <string_view>

namespace ulvo::tools::web {

struct EmbeddedFile {
    std::string_view path;  // "/panel.js"; the page itself is "/index.html"
    std::string_view type;  // the Content-Type
    std::string_view data;
};

// The file served at `path`, or null.
const EmbeddedFile* FindEmbeddedFile(std::string_view path);

}  // namespace ulvo::tools::web
