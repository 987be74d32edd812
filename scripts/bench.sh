#!/usr/bin/env bash
# `make bench`: the figures of docs/performance.md.
#  1. The native benchmarks (Google Benchmark, ulvo_bench), 5 repetitions, with
#     the whole worker cycle as a multiple of its floor, the bare block copy.
#  2. Under Wine with the testbed and the real DLL: latencies, cycle period,
#     exchanges and worker CPU (testbed.exe bridge-latency), the time of
#     SimConnect_Open (testbed.exe simconnect-open), and the panel lab's time from
#     a set to an FSUIPC client reading it (ulvo-panel-lab.exe measure).
#  3. The web panel in headless Chromium, served by the lab: a set to the page
#     showing it, a click to the aircraft's command on the page, and the plug-in's
#     idle cycle without and with 50 clients of the JSON protocol.
# Environment: BENCH_EVENTS (1000), BENCH_CYCLES (10000), BENCH_REPETITIONS (5).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
events=${BENCH_EVENTS:-1000}
cycles=${BENCH_CYCLES:-10000}
repetitions=${BENCH_REPETITIONS:-5}

echo "== machine"
echo "cores: $(nproc)  cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

echo "== native benchmarks (cpu time, median of $repetitions)"
csv=$(mktemp "${TMPDIR:-/tmp}/ulvo-bench.XXXXXX")
trap 'rm -f "$csv"' EXIT
"$root/build/native/bin/ulvo_bench" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >"$csv"
# name,iterations,real_time,cpu_time,time_unit,...
awk -F, '$1 ~ /_median"?$/ {
        name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
        printf "%-44s %10.1f %s\n", name, $4, $5
        cpu[name] = $4
    }
    END {
        copy = cpu["BM_BlockCopy"]
        if (copy > 0) {
            printf "\nsteady cycle       = %.2f x the bare copy (goal: 3 x or less)\n", cpu["BM_BridgeCycleSteady"] / copy
            printf "all values changing = %.2f x the bare copy\n", cpu["BM_BridgeCycleAllChanging"] / copy
        }
    }' "$csv"
echo

prefix="$root/build/windows/wineprefix"
bin="$root/build/windows/bin"
wine_run() { "$root/scripts/wine-run.sh" "$prefix" "$bin/testbed.exe" "$@"; }

echo "== the plug-in under Wine: $events events, $cycles idle cycles"
wine_run bridge-latency "$events" "$cycles"
echo
echo "== SimConnect_Open under Wine"
wine_run simconnect-open 20
echo
echo "== the panel lab under Wine: from a set to an FSUIPC client reading it"
"$root/scripts/wine-run.sh" "$prefix" "$bin/ulvo-panel-lab.exe" measure "$events"
echo
echo "== the lab's web panel in headless Chromium"
python3 "$root/tests/scripts/browser_panel.py" --build "$root/build/windows" --prefix "$prefix" \
    --measure "$events"
echo
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
