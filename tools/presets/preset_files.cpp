#include "presets/preset_files.h"

namespace ulvo::tools {

const std::vector<PresetFile>& PresetFiles() {
    static const std::vector<PresetFile> files = {
        {"Ulvo737NG.mcc", MobiFlightMcc},      {"Ulvo737NG.mfproj", MobiFlightProject},
        {"FSUIPC Local.xml", SpadOffsets},     {"ulvo737_offsets.lua", LuaModule},
        {"ulvo737_example.lua", LuaExample},   {"ulvo737_offsets.h", CppHeader},
        {"ulvo737_offsets.json", OffsetsJson},
    };
    return files;
}

}  // namespace ulvo::tools
