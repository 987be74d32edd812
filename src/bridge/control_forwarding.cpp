#include "bridge/control_forwarding.h"

#include "aircraft/sdk_blocks.h"
#include "bridge/control_table.h"

namespace ulvo::bridge {

using aircraft::FieldI32;
using aircraft::PostAircraftCommand;

double CountSteps(uint32_t now, uint32_t last) {
    double delta = double(int32_t(now - last));
    if (delta < -128.0) {
        delta += 256.0;
    }
    if (delta > 128.0) {
        delta -= 256.0;
    }
    return delta;
}

namespace {

void ForwardDirect(BridgeCycle& cycle, const DirectControl& control) {
    WorkerFields& plugin = cycle.plugin;
    double value;
    if (control.slot < 0) {
        if (plugin.control9428 == plugin.control9428Last) {
            return;
        }
        plugin.control9428Last = plugin.control9428;
        value = double(int16_t(plugin.control9428));
    } else {
        const uint32_t now = cycle.tables.controlInputs[control.slot];
        uint32_t& last = cycle.tables.controlLast[control.slot];
        if (now == last) {
            return;
        }
        last = now;
        value = double(now);
    }
    PostAircraftCommand(cycle.aircraft, control.command, value);
}

void ForwardSteps(BridgeCycle& cycle, const StepControl& control) {
    const uint32_t now = cycle.tables.controlInputs[control.slot];
    uint32_t& last = cycle.tables.controlLast[control.slot];
    if (now == last) {
        return;
    }
    double& delta = cycle.plugin.knobDelta;
    delta = CountSteps(now, last);
    last = now;
    while (delta < 0.0) {
        delta += 1.0;
        PostAircraftCommand(cycle.aircraft, control.commandDown, 0.0);
    }
    while (delta > 0.0) {
        delta -= 1.0;
        PostAircraftCommand(cycle.aircraft, control.commandUp, 0.0);
    }
}

void CountDownHoldOffs(WorkerFields& plugin) {
    for (int16_t& holdOff : plugin.dialHoldOff) {
        if (holdOff > 0) {
            --holdOff;
        }
    }
}

void ForwardSetValue(BridgeCycle& cycle, const SetValueControl& control) {
    const uint32_t now = cycle.tables.controlInputs[control.slot];
    uint32_t& last = cycle.tables.controlLast[control.slot];
    if (now == last) {
        return;
    }
    WorkerFields& plugin = cycle.plugin;
    const aircraft::SdkBlock& sdk = cycle.tables.sdkBlock;
    double& delta = plugin.knobDelta;
    delta = CountSteps(now, last);

    double& setValue = plugin.dialValues[control.entry];
    int16_t& holdOff = plugin.dialHoldOff[control.entry];
    const bool seeded = holdOff == 0;
    if (seeded) {
        setValue = cycle.tables.displayValues[control.seedDisplay];
        if (control.rule == SetValueRule::kNegatedWhenSignIs12 &&
            FieldI32(sdk, kSignFieldOfDisplay06) == kMinusSignCode) {
            setValue = -setValue;
        }
    }
    holdOff = kDialHoldOffCycles;

    double step = delta * control.amountPerStep;
    double base = setValue;
    if (control.rule == SetValueRule::kHundredthsWhenBlank1C0 &&
        FieldI32(sdk, kHundredsFieldOfDisplay03) > 9) {
        // The speed window shows a Mach number: the display's digits are
        // hundredths. A train of steps within the hold-off keeps adding 0.01 to
        // the set value already in hundredths (0.78, 0.79, 0.80 ...); only a fresh
        // seed from the display is scaled down.
        step = delta / 100.0;
        if (seeded) {
            base = setValue / 100.0;
        }
    }

    if (base == 65535.0 && control.blankBase == BlankBase::kKept) {
        // The set value stays as it is; the limits below still apply.
    } else {
        if (base == 65535.0) {
            base = 0.0;
        }
        setValue = base + step;
    }
    if (control.limited) {
        if (setValue < control.lowerLimit) {
            setValue = control.lowerLimit;
        } else if (setValue > control.upperLimit) {
            setValue = control.upperLimit;
        }
    }
    last = now;
    PostAircraftCommand(cycle.aircraft, control.command, setValue);
}

}  // namespace

void ForwardControlChanges(BridgeCycle& cycle) {
    // Until the simulator window and the aircraft message are known nothing is
    // compared, so every change waits and is counted in full later.
    if (!cycle.aircraft.Ready()) {
        return;
    }
    const BridgeTables& tables = cycle.tables;
    if (cycle.plugin.control9428 == cycle.plugin.control9428Last &&
        tables.controlInputs == tables.controlLast) {
        // No control moved, the usual cycle: every forwarder below would return
        // at once; only the hold-offs count down.
        CountDownHoldOffs(cycle.plugin);
        return;
    }
    for (const DirectControl& control : kDirectControls) {
        ForwardDirect(cycle, control);
    }
    for (const StepControl& control : kStepControlsFirst) {
        ForwardSteps(cycle, control);
    }
    CountDownHoldOffs(cycle.plugin);
    for (const SetValueControl& control : kSetValueControls) {
        ForwardSetValue(cycle, control);
    }
    for (const StepControl& control : kStepControlsLast) {
        ForwardSteps(cycle, control);
    }
}

}  // namespace ulvo::bridge
