// The files for panel tools, generated from the offset items (offset_items.h):
// each tool opens its file as it is. `make offsets-doc` writes them into
// presets/, `make test` checks them current, and the release zip ships them.
#pragma once

#include <string>
#include <vector>

#include "offsets_doc/offset_items.h"

namespace ulvo::tools {

std::string MobiFlightMcc();      // MobiFlight Connector config, every version from 9.5
std::string MobiFlightProject();  // MobiFlight 11 project, one tab per group
std::string SpadOffsets();        // SPAD.neXt custom FSUIPC offsets
std::string LuaModule();          // FSUIPC Lua: named readers, writers and watches
std::string LuaExample();         // a script that uses the module
std::string CppHeader();          // constexpr items for firmware and programs
std::string OffsetsJson();        // the whole table, for scripts and browser panels

// The bridge's tables themselves, untyped, for checks that read the files above
// back and compare them with the tables without going through the items.
std::string BridgeTablesJson();

struct PresetFile {
    const char* name;  // the file's name in presets/
    std::string (*text)();
};

// Every preset file but offsets.csv, which lives beside offsets.md (and is
// packed beside these in the release).
const std::vector<PresetFile>& PresetFiles();

}  // namespace ulvo::tools
