#include "offsets/command_names.h"

#include "bridge/control_table.h"
#include "bridge/handle_command_word.h"
#include "groundservices/ground_services_table.h"

namespace ulvo::tools {

namespace {

// The set-value commands of the windows the display table names.
struct WindowName {
    uint32_t command;
    const char* name;
};
constexpr WindowName kWindowNames[] = {
    {1232, "altitude"},               // Display05
    {1235, "speed"},                  // Display03
    {1236, "vertical speed"},         // Display06
    {1238, "cabin flight altitude"},  // Display00
    {1239, "landing altitude"},       // Display01
};

}  // namespace

std::string CommandName(uint32_t code) {
    for (const WindowName& window : kWindowNames) {
        if (window.command == code) {
            return std::string(window.name) + " set value";
        }
    }
    for (const bridge::LevelCommand& command : bridge::kLevelCommands) {
        if (uint32_t(command.code) == code) {
            return command.step < 0 ? "level down" : "level up";
        }
    }
    if (code == bridge::kLevelReportCommand) {
        return "level";
    }
    for (const groundservices::JetwayRow& row : groundservices::kJetways) {
        const char* what = row.status == groundservices::Jetway::kPower ? "power" : "air";
        if (code == row.commandBecomes5) {
            return std::string("jetway ") + what + " connected";
        }
        if (code == row.commandLeaves5) {
            return std::string("jetway ") + what + " disconnected";
        }
    }
    return "";
}

std::string NamedCommandText(uint32_t code, int64_t value) {
    const std::string name = CommandName(code);
    return std::to_string(code) + (name.empty() ? "" : " " + name) + " = " + std::to_string(value);
}

}  // namespace ulvo::tools
