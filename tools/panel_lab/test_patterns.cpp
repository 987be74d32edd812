#include "panel_lab/test_patterns.h"

#include <string>

#include "bridge/bit_word_table.h"
#include "bridge/display_table.h"

namespace ulvo::tools {

namespace {

struct PatternName {
    const char* word;
    Pattern pattern;
    double seconds;
};

constexpr PatternName kPatterns[] = {
    {"lamps", Pattern::kLamps, 2.0},
    {"walk", Pattern::kWalk, 0.2},
    {"eights", Pattern::kEights, 2.0},
    {"sweep", Pattern::kSweep, 0.5},
};

std::vector<const OffsetEntry*> EntriesOf(OffsetRole role) {
    std::vector<const OffsetEntry*> entries;
    for (const OffsetEntry& entry : BlockLayout()) {
        if (entry.role == role) {
            entries.push_back(EntryAt(entry.offset));
        }
    }
    return entries;
}

void Add(std::vector<CockpitWrite>& writes, const CockpitWrite& write) {
    if (write.error.empty()) {
        writes.push_back(write);
    }
}

// The byte with every position a field can set at once: the first position of
// a three-position switch, wider fields at their top value.
uint32_t EveryLamp(const bridge::BitWordRow& row) {
    uint32_t byte = 0;
    bool selector = false;
    for (size_t bit = 0; bit < row.bits.size(); ++bit) {
        const bridge::BitCell& cell = row.bits[bit];
        switch (cell.source) {
            case bridge::BitSource::kField:
            case bridge::BitSource::kWholeValue:
                byte |= ((1u << cell.width) - 1) << bit;
                break;
            case bridge::BitSource::kFieldEquals:
                byte |= selector ? 0 : 1u << bit;
                selector = true;
                break;
            case bridge::BitSource::kUpperBits:
            case bridge::BitSource::kFieldNotEquals:
                byte |= 1u << bit;
                break;
            default:
                break;
        }
    }
    return byte & 0xFF;
}

// Every window showing `digit` in each of its positions.
std::vector<CockpitWrite> Windows(char digit) {
    std::vector<CockpitWrite> writes;
    for (const OffsetEntry* entry : EntriesOf(OffsetRole::kDisplay)) {
        const bridge::DisplayRow& row = bridge::kDisplayRows[entry->row];
        const std::string value = digit == '0' ? "0" : std::string(row.digits, digit);
        Add(writes, CockpitSet(OffsetText(entry->offset), value, {}));
    }
    return writes;
}

}  // namespace

bool ParsePattern(std::string_view word, Pattern& pattern, double& seconds) {
    for (const PatternName& name : kPatterns) {
        if (word == name.word) {
            pattern = name.pattern;
            seconds = name.seconds;
            return true;
        }
    }
    return false;
}

std::vector<PatternStep> PatternSteps(Pattern pattern, double seconds,
                                      const BlockSnapshot& before) {
    std::vector<PatternStep> steps;
    const OffsetRole role = pattern == Pattern::kLamps || pattern == Pattern::kWalk
                                ? OffsetRole::kBitWord
                                : OffsetRole::kDisplay;
    auto next = [&](std::vector<CockpitWrite> writes) {
        steps.push_back({double(steps.size()) * seconds, std::move(writes)});
    };
    switch (pattern) {
        case Pattern::kLamps: {
            std::vector<CockpitWrite> writes;
            for (const OffsetEntry* entry : EntriesOf(role)) {
                Add(writes, CockpitSetRaw(*entry, EveryLamp(bridge::kBitWordRows[entry->row])));
            }
            next(writes);
            break;
        }
        case Pattern::kWalk: {
            std::vector<CockpitWrite> dark;
            for (const OffsetEntry* entry : EntriesOf(role)) {
                Add(dark, CockpitSetRaw(*entry, 0));
            }
            next(dark);
            const OffsetEntry* lit = nullptr;
            for (const OffsetEntry* entry : EntriesOf(role)) {
                for (int bit = 0; bit < 8; ++bit) {
                    const CockpitWrite one = CockpitSetRaw(*entry, 1u << bit);
                    if (!one.error.empty()) {
                        continue;
                    }
                    std::vector<CockpitWrite> writes;
                    if (lit != nullptr && lit != entry) {
                        Add(writes, CockpitSetRaw(*lit, 0));
                    }
                    writes.push_back(one);
                    next(writes);
                    lit = entry;
                }
            }
            break;
        }
        case Pattern::kEights:
            next(Windows('8'));
            break;
        case Pattern::kSweep:
            for (char digit = '0'; digit <= '9'; ++digit) {
                next(Windows(digit));
            }
            break;
    }
    std::vector<CockpitWrite> back;
    for (const OffsetEntry* entry : EntriesOf(role)) {
        Add(back, CockpitSetRaw(*entry, before.Raw(*entry)));
    }
    next(back);
    return steps;
}

}  // namespace ulvo::tools
