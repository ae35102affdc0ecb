#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build for SECONDS each, JOBS at a time,
# from the seeds checked in under fuzz/corpus (new inputs go to the build's own
# corpus), with at most 512 MB per process. Prints target, seconds, executions
# and crashes; fails when any target crashed or ran out of memory.
# usage: fuzz/run-fuzzers.sh BUILD_DIR SECONDS JOBS
set -u
build=$1
seconds=$2
jobs=$3
# ASan keeps freed memory in a quarantine (256 MB by default), which would count
# against the 512 MB limit that is meant for what an input makes the parser allocate.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}
export seconds seeds=fuzz/corpus work=$build/corpus logs=$build/logs artifacts=$build/artifacts
mkdir -p "$work" "$logs" "$artifacts"

run_one() {
    local target=$1 name
    name=$(basename "$target")
    mkdir -p "$work/$name"
    local dirs=("$work/$name")
    [ -d "$seeds/$name" ] && dirs+=("$seeds/$name")
    "$target" -max_total_time="$seconds" -rss_limit_mb=512 -print_final_stats=1 \
        -artifact_prefix="$artifacts/$name-" "${dirs[@]}" >"$logs/$name.log" 2>&1
    local status=$? executions crashes=0
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$name.log" | tail -1)
    [ "$status" -ne 0 ] && crashes=1
    echo "$name $seconds ${executions:-?} $crashes"
}
export -f run_one

results=$(ls "$build"/fuzz/fuzz-* | xargs -P "$jobs" -I{} bash -c 'run_one {}')
printf '%-28s %8s %12s %8s\n' target seconds executions crashes
sort <<<"$results" | while read -r name secs execs crashes; do
    printf '%-28s %8s %12s %8s\n' "$name" "$secs" "$execs" "$crashes"
done
failed=$(awk '$4 != 0 { print $1 }' <<<"$results")
if [ -n "$failed" ]; then
    for name in $failed; do
        echo "== $name crashed; the input is in $artifacts, the log ends:"
        tail -40 "$logs/$name.log"
    done
    exit 1
fi
