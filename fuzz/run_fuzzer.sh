#!/usr/bin/env bash
# run_fuzzer.sh FUZZER SEED_CORPUS WORK_DIR SECONDS
# Runs a libFuzzer program for a while on a copy of its seed corpus; a finding
# makes the program exit non-zero and leaves the crashing input in WORK_DIR.
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/corpus" "$work/artifacts"
[ -d "$seeds" ] && cp -n "$seeds"/* "$work/corpus/" 2>/dev/null || true
exec "$fuzzer" "$work/corpus" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" -timeout=10 -rss_limit_mb=2048
