#include "panel_lab/watch_list.h"

#include <algorithm>
#include <map>

#include "offsets/offset_value.h"
#include "offsets_doc/offsets_csv.h"

namespace ulvo::tools {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return lower;
}

// The fields of one line of the reference's CSV, quotes taken off.
std::vector<std::string> CsvFields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += line[i];
        }
    }
    return fields;
}

// Every key and name of the reference's table, lower case, with the offsets it
// names; the lamp and switch bytes also by their word ("bitword00").
const std::multimap<std::string, uint32_t>& Names() {
    static const std::multimap<std::string, uint32_t> names = [] {
        std::multimap<std::string, uint32_t> all;
        const std::string table = OffsetsCsv();
        std::string_view csv = table;
        const std::vector<std::string> header = CsvFields(csv.substr(0, csv.find('\n')));
        auto column = [&](const char* title) {
            return size_t(std::find(header.begin(), header.end(), title) - header.begin());
        };
        const size_t offsetAt = column("offset"), keyAt = column("key"), nameAt = column("name");
        csv.remove_prefix(csv.find('\n') + 1);
        while (!csv.empty()) {
            const size_t end = std::min(csv.find('\n'), csv.size());
            const std::vector<std::string> fields = CsvFields(csv.substr(0, end));
            uint32_t offset = 0;
            int bit = -1;
            if (std::max({offsetAt, keyAt, nameAt}) < fields.size() &&
                ParseTarget(fields[offsetAt], offset, bit)) {
                const std::string& name = fields[nameAt];
                all.emplace(Lower(fields[keyAt]), offset);
                all.emplace(Lower(name), offset);
                if (name.rfind("BitWord", 0) == 0 && name.find(" bit ") != std::string::npos) {
                    all.emplace(Lower(name.substr(0, name.find(" bit "))), offset);
                }
            }
            csv.remove_prefix(std::min(end + 1, csv.size()));
        }
        return all;
    }();
    return names;
}

// The words of the line, a quoted run of words as one.
std::vector<std::string> Items(std::string_view text) {
    std::vector<std::string> items;
    for (size_t at = 0;;) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) {
            return items;
        }
        const bool quoted = text[at] == '"';
        const size_t start = at + (quoted ? 1 : 0);
        const size_t end = std::min(text.find_first_of(quoted ? "\"" : " \t", start), text.size());
        items.emplace_back(text.substr(start, end - start));
        at = end + (quoted ? 1 : 0);
    }
}

}  // namespace

std::string ReadWatchList(std::string_view text, std::vector<uint32_t>& offsets) {
    offsets.clear();
    for (const std::string& item : Items(text)) {
        OffsetTarget target;
        if (ReadTarget(item, target).empty()) {
            offsets.push_back(target.entry->offset);
            continue;
        }
        const auto named = Names().equal_range(Lower(item));
        const auto first = named.first;
        const auto last = named.second;
        const auto count = std::distance(first, last);
        if (count == 0) {
            return item + " is neither an offset of the block nor a name in offsets.csv";
        }
        if (count > 1 && std::any_of(first, last, [&](const auto& other) {
                return other.second != first->second;
            })) {
            return "\"" + item + "\" names " + std::to_string(count) +
                   " offsets: watch them by offset";
        }
        offsets.push_back(first->second);
    }
    return "";
}

}  // namespace ulvo::tools
