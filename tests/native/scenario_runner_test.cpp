#include "panel_lab/scenario_runner.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace ulvo::tools {
namespace {

// A lab whose plug-in publishes a write once it has worked its cycles after it,
// as the real one does; the test moves the cycles and the clock.
struct CyclingLab final : LabPort {
    double now = 0.0;
    uint64_t cycles = 0;
    BlockSnapshot block;  // what FSUIPC holds
    std::vector<std::pair<uint64_t, CockpitWrite>> pending;
    std::vector<std::string> did;  // what the lines did, and when

    void Cycle() {
        ++cycles;
        std::erase_if(pending, [&](const auto& waiting) {
            if (!TakenUp(waiting.first) || waiting.second.target.entry == nullptr) {
                return TakenUp(waiting.first);
            }
            const OffsetEntry& entry = *waiting.second.target.entry;
            for (uint32_t i = 0; i < entry.size; ++i) {
                block.bytes[entry.offset - kBlockFirst + i] =
                    uint8_t(waiting.second.reads >> 8 * i);
            }
            return true;
        });
    }
    void Did(const std::string& what) {
        char at[16];
        std::snprintf(at, sizeof at, " at %.2f", now);
        did.push_back(what + at);
    }

    BlockSnapshot Block() override { return block; }
    uint64_t Apply(const CockpitWrite& write) override {
        const FieldWrite field = write.fields.empty() ? FieldWrite{} : write.fields[0];
        Did(write.target.entry
                ? OffsetText(write.target.entry->offset)
                : "field " + std::to_string(field.field) + "=" + std::to_string(int(field.value)));
        if (write.fsuipcBytes.empty()) {
            pending.emplace_back(cycles, write);
        } else {
            block.bytes[write.fsuipcOffset - kBlockFirst] = write.fsuipcBytes[0];
        }
        return cycles;
    }
    bool TakenUp(uint64_t mark) override { return cycles >= mark + 3; }
    void FsuipcSet(uint32_t, uint32_t, uint64_t) override {}
    void FsuipcRestart() override {}
    std::string Door(groundservices::Door, DoorAction) override { return ""; }
    void Jetway(groundservices::Jetway, double) override {}
    void AircraftLoaded(bool other) override { Did(other ? "other" : "reload"); }
    void SimConnectFail() override {}

    // Runs the scenario in steps of 10 ms, one plug-in cycle each, until it is done.
    std::vector<LabEvent> Run(ScenarioRunner& runner) {
        std::vector<LabEvent> events;
        for (int step = 0; !runner.Done() && step < 1000; ++step) {
            now = step * 0.01;
            Cycle();
            for (LabEvent& event : runner.Step(now, *this)) {
                events.push_back(std::move(event));
            }
        }
        return events;
    }
};

// An expectation is never judged on a state an earlier line has changed: the
// second set is in force before the expect runs, and the expect fails.
TEST(ScenarioRunner, ASetIsInForceBeforeTheNextLineIsJudged) {
    CyclingLab lab;
    ScenarioRunner runner(
        ParseScenario("set 0x943A 5000\nwait 0.5\nset 0x943A 12000\nexpect 0x943A 5000 within 0.5\n"
                      "aircraft reload\n"));
    const std::vector<LabEvent> events = lab.Run(runner);
    ASSERT_EQ(runner.Failed(), 1u);
    EXPECT_EQ(runner.Failures()[0],
              "line 4 (expect 0x943A 5000 within 0.5): not within 0.5 s: 0x943A reads 12000");
    EXPECT_EQ(lab.did.size(), 2u);  // the reload after the failure did not run
    EXPECT_EQ(events.back().kind, LabEvent::Kind::kFailed);
}

TEST(ScenarioRunner, RepeatsPatternsAndAtRunAtTheirTimes) {
    CyclingLab lab;
    ScenarioRunner runner(
        ParseScenario("repeat 3 every 0.05 set 0x94F0 +1\nat 1 aircraft reload\n"
                      "expect 0x94F0 3\naircraft selector 2\npattern eights 0.5\n"));
    lab.Run(runner);
    EXPECT_EQ(runner.Failed(), 0u);
    ASSERT_GE(lab.did.size(), 6u);
    EXPECT_EQ(
        std::vector<std::string>(lab.did.begin(), lab.did.begin() + 6),
        (std::vector<std::string>{"0x94F0 at 0.00", "0x94F0 at 0.05", "0x94F0 at 0.10",
                                  "reload at 1.00", "field 1980=2 at 1.00", "0x9430 at 1.03"}));
    // The eights, then half a second later the block as it was.
    EXPECT_EQ(lab.did.back(), "0x946E at 1.53");
}

}  // namespace
}  // namespace ulvo::tools
