// ulvo_offsets_doc: writes the offset reference generated from the bridge's
// tables, or checks that a file holds exactly that text: the Markdown reference,
// or its table for programs when FILE ends in .csv.
//
//   ulvo_offsets_doc                 print the Markdown reference
//   ulvo_offsets_doc --write FILE    write it into FILE
//   ulvo_offsets_doc --check FILE    exit 1 unless FILE is current
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "offsets/block_layout.h"
#include "offsets_doc/offsets_csv.h"
#include "offsets_doc/offsets_markdown.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: ulvo_offsets_doc [--write FILE | --check FILE]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace ulvo::tools;
    const auto problems = LayoutProblems(BlockLayout());
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "offset tables: %s\n", problem.c_str());
    }
    if (!problems.empty()) {
        return 1;
    }
    if (argc == 1) {
        std::cout << OffsetsMarkdown();
        return 0;
    }
    if (argc != 3) {
        return Usage();
    }
    const std::string file = argv[2];
    const bool csv = file.size() > 4 && file.compare(file.size() - 4, 4, ".csv") == 0;
    const std::string text = csv ? OffsetsCsv() : OffsetsMarkdown();
    if (std::strcmp(argv[1], "--write") == 0) {
        std::ofstream out(argv[2], std::ios::binary);
        out << text;
        return out.good() ? 0 : 1;
    }
    if (std::strcmp(argv[1], "--check") == 0) {
        std::ifstream in(argv[2], std::ios::binary);
        std::stringstream current;
        current << in.rdbuf();
        if (current.str() == text) {
            return 0;
        }
        std::fprintf(stderr,
                     "%s does not match the offset tables: run `make offsets-doc` and commit "
                     "the result\n",
                     argv[2]);
        return 1;
    }
    return Usage();
}
