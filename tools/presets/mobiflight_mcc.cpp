#include "presets/preset_files.h"

#include "presets/mobiflight_items.h"
#include "presets/xml_text.h"

namespace ulvo::tools {

namespace {

std::string Attribute(const std::string& name, const std::string& value) {
    return " " + name + "=\"" + XmlEscaped(value) + "\"";
}

// The FSUIPC source as the Connector writes it: hex with "0x" and four digits.
std::string Source(const MobiFlightSource& source) {
    return "<source" + Attribute("type", "FSUIPC") +
           Attribute("offset", HexNumber(source.offset, 4)) + Attribute("offsetType", "Integer") +
           Attribute("size", std::to_string(source.size)) +
           Attribute("mask", HexNumber(source.mask, 4)) + Attribute("bcdMode", "False");
}

std::string Output(const MobiFlightOutput& output) {
    std::string xml = "    <config" + Attribute("guid", output.guid) + ">\r\n" +
                      "      <active>true</active>\r\n" + "      <description>" +
                      XmlEscaped(output.name) + "</description>\r\n      <settings>\r\n        " +
                      Source(output.source) + " />\r\n        <test type=\"Float\"" +
                      Attribute("value", std::to_string(output.testValue)) + " />\r\n";
    if (output.modifiers.empty()) {
        xml += "        <modifiers />\r\n";
    } else {
        xml += "        <modifiers>\r\n";
        for (const MobiFlightModifier& modifier : output.modifiers) {
            xml += modifier.bitToOne
                       ? "          <comparison active=\"True\" value=\"0\" operand=\"!=\" "
                         "ifValue=\"1\" elseValue=\"0\" />\r\n"
                       : "          <transformation active=\"True\"" +
                             Attribute("expression", modifier.expression) + " />\r\n";
        }
        xml += "        </modifiers>\r\n";
    }
    return xml +
           "        <display type=\"\" serial=\"\" />\r\n        <preconditions />\r\n"
           "        <configrefs />\r\n      </settings>\r\n    </config>\r\n";
}

std::string Action(const std::string& element, const MobiFlightSource& source,
                   const std::string& value) {
    if (value.empty()) {
        return "          <" + element + " />\r\n";
    }
    return "          <" + element + " type=\"FsuipcOffsetInputAction\">\r\n            " +
           Source(source) + Attribute("inputValue", value) + " />\r\n          </" + element +
           ">\r\n";
}

std::string Input(const MobiFlightInput& input) {
    std::string xml = "    <config" + Attribute("guid", input.guid) + ">\r\n" +
                      "      <active>true</active>\r\n" + "      <description>" +
                      XmlEscaped(input.name) + "</description>\r\n" +
                      "      <settings serial=\"\" name=\"\"" +
                      Attribute("type", input.encoder ? "Encoder" : "Button") + ">\r\n";
    if (input.encoder) {
        xml += "        <encoder>\r\n" + Action("onLeft", input.source, input.release) +
               Action("onLeftFast", input.source, "") +
               Action("onRight", input.source, input.press) +
               Action("onRightFast", input.source, "") + "        </encoder>\r\n";
    } else {
        xml += "        <button>\r\n" + Action("onPress", input.source, input.press);
        if (!input.release.empty()) {
            xml += Action("onRelease", input.source, input.release);
        }
        xml += "        </button>\r\n";
    }
    return xml +
           "        <preconditions />\r\n        <configrefs />\r\n      </settings>\r\n"
           "    </config>\r\n";
}

}  // namespace

std::string MobiFlightMcc() {
    // The Connector recognises XML by the declaration at the very start.
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<MobiflightConnector>\r\n"
        "  <outputs>\r\n";
    for (const MobiFlightOutput& output : MobiFlightOutputs()) {
        xml += Output(output);
    }
    xml += "  </outputs>\r\n  <inputs>\r\n";
    for (const MobiFlightInput& input : MobiFlightInputs()) {
        xml += Input(input);
    }
    return xml + "  </inputs>\r\n</MobiflightConnector>\r\n";
}

}  // namespace ulvo::tools
