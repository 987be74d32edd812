#include "panel_lab/lab_event.h"

#include <cstdio>

#include "offsets/command_names.h"
#include "offsets/offset_value.h"

namespace ulvo::tools {

namespace {

// The entry's value as the monitor shows it, from its raw bytes.
std::string Shown(uint32_t offset, int64_t raw) {
    const OffsetEntry* entry = EntryAt(offset);
    if (entry == nullptr) {
        return std::to_string(raw);
    }
    BlockSnapshot block;
    for (uint32_t i = 0; i < entry->size; ++i) {
        block.bytes[offset - kBlockFirst + i] = uint8_t(uint64_t(raw) >> (8 * i));
    }
    return ValueText(*entry, block);
}

std::string Change(const char* who, const LabEvent& event) {
    return std::string(who) + " " + OffsetText(event.offset) + " " +
           Shown(event.offset, event.value) + " (was " + Shown(event.offset, event.before) + ")";
}

std::string Line(const LabEvent& event) {
    return "line " + std::to_string(event.line) + " (" + event.text + ")";
}

}  // namespace

std::string EventText(const LabEvent& event) {
    using Kind = LabEvent::Kind;
    switch (event.kind) {
        case Kind::kCommand:
            return "command " + NamedCommandText(event.code, event.value);
        case Kind::kSimEvent:
            return "simulator event " + event.text;
        case Kind::kDoor:
            return "GSX: the " + event.text + (event.value ? " open" : " close") +
                   (event.text.back() == 's' ? "" : "s");
        case Kind::kLog:
            return "log " + event.text;
        case Kind::kPublished:
            return Change("published", event);
        case Kind::kClientWrote:
            return Change("a client wrote", event);
        case Kind::kLine:
            return event.text + (event.detail.empty() ? "" : ": " + event.detail);
        case Kind::kPassed:
            return "ok " + Line(event);
        case Kind::kFailed:
            return "FAILED " + Line(event) + ": " + event.detail;
        case Kind::kTiming: {
            char text[32];
            std::snprintf(text, sizeof text, " after %.1f ms", event.number);
            return event.text + text;
        }
        case Kind::kNote:
            return event.text;
    }
    return "";
}

}  // namespace ulvo::tools
