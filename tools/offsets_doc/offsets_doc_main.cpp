// ulvo_offsets_doc: writes the offset reference and the files for panel tools,
// generated from the bridge's tables, or checks that files hold exactly that
// text: the Markdown reference, or its table for programs when FILE ends in .csv;
// with DIR, every file for panel tools in that folder.
//
//   ulvo_offsets_doc                        print the Markdown reference
//   ulvo_offsets_doc --write FILE           write it into FILE
//   ulvo_offsets_doc --check FILE           exit 1 unless FILE is current
//   ulvo_offsets_doc --write-presets DIR    write the files for panel tools
//   ulvo_offsets_doc --check-presets DIR    exit 1 unless each of them is current
//   ulvo_offsets_doc --tables               print the bridge's tables as JSON
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "offsets/block_layout.h"
#include "offsets_doc/offsets_csv.h"
#include "offsets_doc/offsets_markdown.h"
#include "presets/preset_files.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: ulvo_offsets_doc [--write FILE | --check FILE | --write-presets DIR | "
                 "--check-presets DIR | --tables]\n");
    return 2;
}

bool Write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return out.good();
}

bool Current(const std::string& path, const std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream current;
    current << in.rdbuf();
    if (current.str() == text) {
        return true;
    }
    std::fprintf(stderr,
                 "%s does not match the offset tables: run `make offsets-doc` and commit the "
                 "result\n",
                 path.c_str());
    return false;
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
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 1 || (argc == 2 && mode == "--tables")) {
        std::cout << (argc == 1 ? OffsetsMarkdown() : BridgeTablesJson());
        return 0;
    }
    if (argc != 3) {
        return Usage();
    }
    const std::string path = argv[2];
    if (mode == "--write-presets" || mode == "--check-presets") {
        bool ok = true;
        for (const PresetFile& file : PresetFiles()) {
            const std::string text = file.text();
            const std::string filePath = path + "/" + file.name;
            ok =
                (mode == "--write-presets" ? Write(filePath, text) : Current(filePath, text)) && ok;
        }
        return ok ? 0 : 1;
    }
    const bool csv = path.size() > 4 && path.compare(path.size() - 4, 4, ".csv") == 0;
    const std::string text = csv ? OffsetsCsv() : OffsetsMarkdown();
    if (mode == "--write") {
        return Write(path, text) ? 0 : 1;
    }
    if (mode == "--check") {
        return Current(path, text) ? 0 : 1;
    }
    return Usage();
}
