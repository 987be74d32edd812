#include "core/fsuipc_server_protocol.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "fsuipc/fsuipc_link.h"

namespace ulvo::testbed {

namespace {

// Splits off the next space-separated word; empty when none is left.
std::string_view NextWord(std::string_view& rest) {
    const size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const size_t end = std::min(rest.find(' '), rest.size());
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

bool ParseNumber(std::string_view word, int base, uint64_t& value) {
    if (word.empty()) {
        return false;
    }
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    return error == std::errc() && end == word.data() + word.size();
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool ParseHexBytes(std::string_view word, std::vector<uint8_t>& bytes) {
    if (word.empty() || word.size() % 2 != 0) {
        return false;
    }
    for (size_t i = 0; i < word.size(); i += 2) {
        const int high = HexDigit(word[i]);
        const int low = HexDigit(word[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes.push_back(uint8_t(high << 4 | low));
    }
    return true;
}

FsuipcServerCommand Invalid(std::string reason) {
    FsuipcServerCommand command;
    command.error = std::move(reason);
    return command;
}

// Reads an offset inside the offset space.
bool ParseOffset(std::string_view word, uint32_t& offset) {
    uint64_t value = 0;
    if (!ParseNumber(word, 16, value) || value >= FsuipcOffsetSpace::kSize) {
        return false;
    }
    offset = uint32_t(value);
    return true;
}

}  // namespace

FsuipcServerCommand ParseFsuipcServerCommand(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    std::string_view rest = line;
    const std::string_view verb = NextWord(rest);
    const std::string_view first = NextWord(rest);
    const std::string_view second = NextWord(rest);
    if (!NextWord(rest).empty()) {
        return Invalid("too many words");
    }
    const size_t words = first.empty() ? 0 : second.empty() ? 1 : 2;

    FsuipcServerCommand command;
    auto expect = [&](size_t count) { return words == count; };
    if (verb == "quit" && expect(0)) {
        command.kind = FsuipcServerCommand::kQuit;
    } else if (verb == "count" && expect(0)) {
        command.kind = FsuipcServerCommand::kCount;
    } else if (verb == "reply" && expect(1)) {
        if (!ParseNumber(first, 10, command.number) || command.number > UINTPTR_MAX) {
            return Invalid("reply needs a number");
        }
        command.kind = FsuipcServerCommand::kReply;
    } else if (verb == "slow" && expect(2)) {
        uint64_t delay = 0;
        if (!ParseNumber(first, 10, command.number) || !ParseNumber(second, 10, delay) ||
            command.number > kMaxSlowAnswers || delay > kMaxSlowDelayMs) {
            return Invalid("slow needs a count up to 100 and milliseconds up to 60000");
        }
        command.delayMs = uint32_t(delay);
        command.kind = FsuipcServerCommand::kSlow;
    } else if (verb == "badversion" && expect(1)) {
        if (!ParseOffset(first, command.offset) ||
            (command.offset != fsuipc::kFsuipcVersionOffset &&
             command.offset != fsuipc::kSimulatorVersionOffset)) {
            return Invalid("badversion takes 3304 or 3308");
        }
        command.kind = FsuipcServerCommand::kBadVersion;
    } else if (verb == "set" && expect(2)) {
        if (!ParseOffset(first, command.offset) || !ParseHexBytes(second, command.bytes) ||
            command.offset + command.bytes.size() > FsuipcOffsetSpace::kSize) {
            return Invalid("set needs an offset and hex bytes inside the offset space");
        }
        command.kind = FsuipcServerCommand::kSet;
    } else if (verb == "get" && expect(2)) {
        if (!ParseOffset(first, command.offset) || !ParseNumber(second, 10, command.number) ||
            command.number == 0 || command.offset + command.number > FsuipcOffsetSpace::kSize) {
            return Invalid("get needs an offset and a size inside the offset space");
        }
        command.kind = FsuipcServerCommand::kGet;
    } else if (verb == "log" && expect(1) && (first == "on" || first == "off")) {
        command.on = first == "on";
        command.kind = FsuipcServerCommand::kLog;
    } else {
        return Invalid("unknown command");
    }
    return command;
}

std::string HexBytes(const uint8_t* bytes, size_t size) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text.push_back(kDigits[bytes[i] >> 4]);
        text.push_back(kDigits[bytes[i] & 0x0F]);
    }
    return text;
}

std::string FormatServedExchange(const FsuipcServedExchange& exchange) {
    // The name comes from the client: keep it one word on one line.
    std::string section = exchange.section.empty() ? "-" : exchange.section;
    for (char& c : section) {
        if (c <= ' ' || c > '~') {
            c = '?';
        }
    }
    std::string line = "exchange " + section;
    line += " reply " + std::to_string(exchange.reply);
    line += " records " + std::to_string(exchange.log.records);
    line += " reads " + std::to_string(exchange.log.reads);
    line += " writes";
    char offset[16];
    for (const FsuipcWriteLog& write : exchange.log.writes) {
        std::snprintf(offset, sizeof offset, " %X=", write.offset);
        line += offset + HexBytes(write.bytes.data(), write.bytes.size());
    }
    return line;
}

}  // namespace ulvo::testbed
