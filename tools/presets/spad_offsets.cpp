#include <map>

#include "presets/preset_files.h"
#include "presets/xml_text.h"

namespace ulvo::tools {

namespace {

constexpr const char* kCategory = "Ulvo 737NG";

struct SpadEntry {
    bool selectable = true;
    std::string name;
    const OffsetItem* type = nullptr;  // the item whose size and signedness it has
    std::string subCategory;
    bool readWrite = false;
    std::string usage;
    std::string key;
};

std::string Key(uint32_t offset) {
    return "0000:" + HexNumber(offset, 4).substr(2);
}

// Usage is shown as BBCode: square brackets are kept out of the text.
std::string Usage(std::string text) {
    for (char& c : text) {
        c = c == '[' ? '(' : c == ']' ? ')' : c;
    }
    return text;
}

// "Valuetype" with a lower-case t, as in SPAD.neXt's own sample file (its prose
// writes ValueType; which one the reader requires is not confirmed).
std::string Entry(const SpadEntry& entry) {
    const std::string type =
        (entry.type->isSigned ? "S" : "U") + std::to_string(entry.type->size * 8);
    return std::string("  <OffsetDataDefinition Selectable=\"") +
           (entry.selectable ? "true" : "false") + "\">\r\n    <Name>" + XmlEscaped(entry.name) +
           "</Name>\r\n    <Valuetype>" + type + "</Valuetype>\r\n    <Size>" +
           std::to_string(entry.type->size) + "</Size>\r\n    <Category>" + kCategory +
           "</Category>\r\n    <SubCategory>" + XmlEscaped(entry.subCategory) +
           "</SubCategory>\r\n    <Access>" + (entry.readWrite ? "RW" : "R") +
           "</Access>\r\n    <Usage>" + XmlEscaped(Usage(entry.usage)) + "</Usage>\r\n    <Key>" +
           entry.key + "</Key>\r\n  </OffsetDataDefinition>\r\n";
}

// A lamp and switch byte: the byte itself, then a bit entry per single bit. The
// byte is offered in the browser only when it holds a number wider than a bit,
// which is read from the byte as its usage says.
std::string Byte(const std::vector<const OffsetItem*>& items) {
    const OffsetItem& first = *items.front();
    const std::string word = first.name.substr(0, first.name.find(' '));
    const std::string subCategory = first.group + "##" + HexNumber(first.offset, 4) + " " + word;
    SpadEntry byte{false, word + " byte", &first, subCategory, false, "", Key(first.offset)};
    std::string bits;
    for (const OffsetItem* item : items) {
        if (SingleBit(*item)) {
            // The bit's number follows the key in decimal; the entry repeats its
            // byte's type and size. Neither is confirmed for SPAD.neXt.
            bits += Entry({true, item->name, item, subCategory, false, item->description,
                           Key(item->offset) + ":" + std::to_string(item->bit)});
            continue;
        }
        byte.selectable = true;
        const std::string part =
            item->bit < 0 ? "the whole byte"
                          : "bits " + std::to_string(item->bit) + "-" +
                                std::to_string(item->bit + __builtin_popcount(item->mask) - 1) +
                                " (the byte divided by " + std::to_string(1u << item->shift) +
                                ", modulo " + std::to_string(int(item->highest) + 1) + ")";
        byte.usage +=
            (byte.usage.empty() ? "" : "; ") + item->name + ": " + part + ", " + item->description;
    }
    if (byte.usage.empty()) {
        byte.usage = "the byte of the bit entries below";
    }
    return Entry(byte) + bits;
}

}  // namespace

std::string SpadOffsets() {
    std::string xml =
        "<DataDefinitions xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" Version=\"1\" "
        "xmlns=\"http://www.fsgs.com/SPAD\">\r\n";
    const std::vector<OffsetItem> items = OffsetItems();
    std::map<uint32_t, std::vector<const OffsetItem*>> bytes;
    std::string commands;
    for (const OffsetItem& item : items) {
        if (item.group == "Lamps and switches") {
            bytes[item.offset].push_back(&item);
        } else if (item.write == ItemWrite::kCommand) {
            commands += "; " + item.name + ": " + item.description;
        }
    }
    // One entry per offset (a key once only), in offset order; the named commands
    // are listed in the usage of the command word they are written to.
    uint32_t done = 0;
    for (const OffsetItem& item : items) {
        if (item.offset < done) {
            continue;
        }
        done = item.offset + 1;
        if (bytes.count(item.offset)) {
            xml += Byte(bytes[item.offset]);
            continue;
        }
        const bool word = item.write == ItemWrite::kCommandWord;
        xml += Entry({true, item.name, &item, item.group, item.access != ItemAccess::kRead,
                      item.description + (word ? commands : ""), Key(item.offset)});
    }
    return xml + "</DataDefinitions>\r\n";
}

}  // namespace ulvo::tools
