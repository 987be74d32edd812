#include "web/json_session.h"

#include <algorithm>
#include <limits>

namespace ulvo::tools::web {

namespace {

using nlohmann::json;

// A name as a client sent it: some send a number where a string belongs.
std::string NameText(const json& name) {
    if (name.is_string()) {
        return name.get<std::string>();
    }
    return name.is_null() ? "" : JsonText(name);
}

json Failure(const std::string& command, const std::string& name, const std::string& code,
             const std::string& message) {
    return Reply(command, name, code, message);
}

}  // namespace

json Reply(const json& command, const json& name, const std::string& errorCode,
           const std::string& errorMessage) {
    json reply = json::object();
    reply["command"] = command;
    reply["name"] = name;
    reply["success"] = errorCode.empty();
    reply["errorCode"] = errorCode.empty() ? json() : json(errorCode);
    reply["errorMessage"] = errorCode.empty() ? json() : json(errorMessage);
    return reply;
}

std::string JsonText(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

JsonSession::JsonSession(JsonSessionOptions sessionOptions)
    : options(std::move(sessionOptions)), allowance(options.limits.burst) {}

bool JsonSession::Allowance(double nowMs) {
    allowance =
        std::min(options.limits.burst,
                 allowance + (nowMs - allowanceAtMs) * options.limits.requestsPerSecond / 1000.0);
    allowanceAtMs = nowMs;
    if (allowance < 1.0) {
        return false;
    }
    allowance -= 1.0;
    return true;
}

void JsonSession::Handle(std::string_view text, OffsetSpace& space, double nowMs,
                         std::vector<std::string>& replies) {
    const json request = json::parse(text, nullptr, false);
    if (request.is_discarded() || !request.is_object() || !request.contains("command") ||
        !request["command"].is_string()) {
        replies.push_back(JsonText(Reply(nullptr, nullptr, error_code::kBadRequest,
                                         "a request is a JSON object with a \"command\"")));
        return;
    }
    const std::string command = request["command"].get<std::string>();
    const std::string name = NameText(request.value("name", json()));
    if (!Allowance(nowMs)) {
        replies.push_back(
            JsonText(Failure(command, name, error_code::kBusy, "too many requests: slow down")));
        return;
    }
    json reply;
    if (command == "offsets.declare") {
        reply = Declare(name, request);
    } else if (command == "offsets.read") {
        reply = Read(name, request, space, nowMs, replies);
    } else if (command == "offsets.write") {
        reply = Write(name, request, space);
    } else if (command == "offsets.stop" || command == "offsets.remove") {
        const auto group = groups.find(name);
        if (group == groups.end()) {
            reply = Failure(command, name, error_code::kUnknownGroup, "no group " + name);
        } else {
            if (command == "offsets.stop") {
                group->second.intervalMs = 0;
            } else {
                groups.erase(group);
            }
            reply = Reply(command, name);
        }
    } else if (command == "about.read") {
        reply = Reply(command, name);
        reply["data"] = options.about;
    } else if (command.rfind("vars.", 0) == 0) {
        reply = Failure(command, name, error_code::kNotSupported,
                        "this server has the offsets only, no L-vars");
    } else {
        reply = Failure(command, name, error_code::kUnknownCommand, "unknown command " + command);
    }
    if (!reply.is_null()) {
        replies.push_back(JsonText(reply));
    }
}

json JsonSession::Declare(const std::string& name, const json& request) {
    const std::string command = "offsets.declare";
    const json& list = request.contains("offsets") ? request["offsets"] : json();
    if (name.empty() || !list.is_array()) {
        return Failure(command, name, error_code::kBadRequest,
                       "a declaration needs a \"name\" and a list of \"offsets\"");
    }
    if (groups.count(name) == 0 && groups.size() >= options.limits.groups) {
        return Failure(command, name, error_code::kTooMany,
                       "at most " + std::to_string(options.limits.groups) + " groups");
    }
    if (list.size() > options.limits.offsetsPerGroup) {
        return Failure(
            command, name, error_code::kTooMany,
            "at most " + std::to_string(options.limits.offsetsPerGroup) + " offsets in a group");
    }
    Group group;
    for (const json& item : list) {
        Entry entry;
        if (!item.is_object()) {
            return Failure(command, name, error_code::kBadDeclaration, "an offset is an object");
        }
        entry.name = NameText(item.value("name", json()));
        const json& address = item.value("address", json());
        const json& size = item.value("size", json());
        const json& type = item.value("type", json());
        if (entry.name.empty() || !address.is_number_unsigned() || !size.is_number_unsigned() ||
            !type.is_string() || !ParseValueType(type.get<std::string>(), entry.type)) {
            return Failure(command, name, error_code::kBadDeclaration,
                           "offset \"" + entry.name +
                               "\" needs a name, a numeric address, a type (int, uint, float, "
                               "string, bits, lat, lon) and a size");
        }
        const uint64_t where = address.get<uint64_t>();
        const uint64_t bytes = size.get<uint64_t>();
        const std::string problem = DeclarationProblem(
            entry.type, uint32_t(std::min<uint64_t>(bytes, kSpaceSize + 1)), where);
        if (!problem.empty()) {
            return Failure(command, name, error_code::kBadDeclaration,
                           "offset \"" + entry.name + "\": " + problem);
        }
        for (const Entry& earlier : group.entries) {
            if (earlier.name == entry.name) {
                return Failure(command, name, error_code::kBadDeclaration,
                               "offset \"" + entry.name + "\" is declared twice");
            }
        }
        entry.address = uint32_t(where);
        entry.size = uint32_t(bytes);
        group.entries.push_back(entry);
    }
    groups[name] = std::move(group);  // a declaration again replaces the group
    return Reply(command, name);
}

json JsonSession::Values(const Group& group, const OffsetSpace& space) {
    json data = json::object();
    std::vector<uint8_t> bytes;
    for (const Entry& entry : group.entries) {
        bytes.resize(entry.size);
        if (!space.Read(entry.address, entry.size, bytes.data())) {
            return json();
        }
        data[entry.name] = DecodeValue(entry.type, entry.size, bytes.data());
    }
    return data;
}

json JsonSession::Read(const std::string& name, const json& request, const OffsetSpace& space,
                       double nowMs, std::vector<std::string>& replies) {
    const std::string command = "offsets.read";
    const auto found = groups.find(name);
    if (found == groups.end()) {
        return Failure(command, name, error_code::kUnknownGroup, "no group " + name);
    }
    Group& group = found->second;
    const json& interval = request.value("interval", json(0));
    if (!interval.is_number() || interval.get<double>() < 0) {
        return Failure(command, name, error_code::kBadValue,
                       "an interval is a number of milliseconds");
    }
    if (interval.get<double>() == 0) {
        ++group.pendingReads;  // answered by Due, at once when the offsets are known
    } else {
        // A new subscription replaces the running one and starts with every value.
        group.intervalMs = std::max(options.limits.minIntervalMs,
                                    uint32_t(std::min(interval.get<double>(), 3.6e6)));
        const json& changesOnly = request.value("changesOnly", json(false));
        group.changesOnly = changesOnly.is_boolean() && changesOnly.get<bool>();
        group.sentFirst = false;
        group.nextDueMs = nowMs;
    }
    Due(space, nowMs, replies);
    return json();  // the data reply is the answer
}

json JsonSession::Write(const std::string& name, const json& request, OffsetSpace& space) {
    const std::string command = "offsets.write";
    const auto found = groups.find(name);
    if (found == groups.end()) {
        return Failure(command, name, error_code::kUnknownGroup, "no group " + name);
    }
    if (!options.writeRefusal.empty()) {
        return Failure(command, name, error_code::kWriteRefused, options.writeRefusal);
    }
    const json& list = request.contains("offsets") ? request["offsets"] : json();
    if (!list.is_array()) {
        return Failure(command, name, error_code::kBadRequest,
                       "a write needs a list of \"offsets\" with a name and a value each");
    }
    // Everything is checked before anything is written: a write happens whole or
    // not at all, in the order the client listed it.
    std::vector<WriteRequest> writes;
    for (const json& item : list) {
        const std::string entryName =
            item.is_object() ? NameText(item.value("name", json())) : std::string();
        const auto entry =
            std::find_if(found->second.entries.begin(), found->second.entries.end(),
                         [&](const Entry& candidate) { return candidate.name == entryName; });
        if (entry == found->second.entries.end()) {
            return Failure(command, name, error_code::kUnknownName,
                           "group " + name + " has no offset \"" + entryName + "\"");
        }
        WriteRequest write;
        write.offset = entry->address;
        const std::string problem = EncodeValue(
            entry->type, entry->size, item.value("value", json()), write.bytes, write.mask);
        if (!problem.empty()) {
            return Failure(command, name, error_code::kBadValue,
                           "offset \"" + entryName + "\": " + problem);
        }
        writes.push_back(std::move(write));
    }
    for (WriteRequest& write : writes) {
        space.Write(std::move(write));
    }
    return Reply(command, name);
}

void JsonSession::Due(const OffsetSpace& space, double nowMs, std::vector<std::string>& replies) {
    for (auto& [name, group] : groups) {
        const bool subscribed = group.intervalMs != 0 && nowMs >= group.nextDueMs;
        if (group.pendingReads == 0 && !subscribed) {
            continue;
        }
        const json values = Values(group, space);
        if (values.is_null()) {
            continue;  // some offset was never read yet: the next call answers
        }
        for (; group.pendingReads > 0; --group.pendingReads) {
            json reply = Reply("offsets.read", name);
            reply["data"] = values;
            replies.push_back(JsonText(reply));
        }
        if (!subscribed) {
            continue;
        }
        // A late call does not make up for the replies it missed.
        group.nextDueMs += group.intervalMs;
        if (group.nextDueMs <= nowMs) {
            group.nextDueMs = nowMs + group.intervalMs;
        }
        json data = values;
        if (group.changesOnly && group.sentFirst) {
            data = json::object();
            for (const auto& [key, value] : values.items()) {
                if (!group.lastSent.contains(key) || group.lastSent[key] != value) {
                    data[key] = value;
                }
            }
        }
        group.lastSent = values;
        if (group.sentFirst && data.empty()) {
            continue;  // on change only: nothing changed, nothing to say
        }
        group.sentFirst = true;
        json reply = Reply("offsets.read", name);
        reply["data"] = std::move(data);
        replies.push_back(JsonText(reply));
    }
}

double JsonSession::NextDueMs() const {
    double next = std::numeric_limits<double>::max();
    for (const auto& [name, group] : groups) {
        if (group.intervalMs != 0) {
            next = std::min(next, group.nextDueMs);
        }
    }
    return next;
}

std::vector<OffsetRange> JsonSession::Wanted() const {
    std::vector<OffsetRange> ranges;
    for (const auto& [name, group] : groups) {
        for (const Entry& entry : group.entries) {
            ranges.push_back({entry.address, entry.size});
        }
    }
    return JoinRanges(std::move(ranges));
}

}  // namespace ulvo::tools::web
