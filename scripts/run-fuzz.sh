#!/bin/sh
# Runs every fuzz target of a fuzz build for a while; fails when any target finds a crash.
# usage: run-fuzz.sh <build dir> <seconds per target>
set -eu
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
crashes="$build/fuzz-crashes"
mkdir -p "$crashes"
status=0
for target in "$build"/fuzz/*_fuzz; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    seeds="$root/fuzz/corpus/$name"
    work="$build/fuzz-corpus/$name"
    mkdir -p "$work" "$seeds"
    log="$build/fuzz-$name.log"
    if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
        -artifact_prefix="$crashes/$name-" -print_final_stats=1 "$work" "$seeds" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
        echo "fuzz $name: ${seconds}s, $runs executions, no crash"
    else
        echo "fuzz $name: FAILED, see $log and $crashes"
        tail -40 "$log"
        status=1
    fi
done
exit $status
