#include "panel_lab/replay_plan.h"

#include <map>

namespace ulvo::tools {

std::vector<ReplayStep> ReplayPlan(const Recording& recording) {
    using Kind = ReplayStep::Kind;
    std::vector<ReplayStep> plan;
    std::map<uint32_t, uint32_t> last;  // the last recorded value of each offset
    for (const RecordedValue& value : recording.values) {
        ReplayStep step;
        step.seconds = value.seconds;
        step.offset = value.offset;
        const OffsetEntry* entry = EntryAt(value.offset);
        if (entry == nullptr) {
            step.error = "no value starts at " + OffsetText(value.offset);
            plan.push_back(step);
            continue;
        }
        const auto before = last.find(value.offset);
        const bool first = before == last.end();
        const uint32_t previous = first ? 0 : before->second;
        last[value.offset] = value.raw;
        if (!WrittenByClients(entry->role)) {
            step.write = CockpitSetRaw(*entry, value.raw);
            step.error = step.write.error;
            plan.push_back(step);
            continue;
        }
        if (first || value.raw == previous) {
            continue;
        }
        if (entry->role == OffsetRole::kStepControl ||
            entry->role == OffsetRole::kSetValueControl) {
            step.kind = Kind::kSteps;
            // The short way round, as the plug-in counts; 128 either way stays 128.
            step.steps = int32_t(value.raw) - int32_t(previous);
            step.steps += step.steps < -128 ? 256 : step.steps > 128 ? -256 : 0;
            plan.push_back(step);
            continue;
        }
        if (entry->role == OffsetRole::kCommandWord && value.raw == kIdleCommandWord) {
            continue;  // the plug-in clears the word itself
        }
        step.kind = Kind::kBytes;
        step.write = CockpitSetRaw(*entry, value.raw);
        plan.push_back(step);
    }
    return plan;
}

}  // namespace ulvo::tools
