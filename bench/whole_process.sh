#!/usr/bin/env bash
# Whole-process timings of korrin-cli, beside the in-process benchmarks of korrin-bench:
#   - inventory of a folder of 1000 decoder files (the examples, copied round-robin);
#   - info on one file, run many times, against srec_info -Intel on the same file (srecord).
# Prints user+system CPU seconds. Usage: bench/whole_process.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-200}
cli="$build/src/korrin-cli"
[ -x "$cli" ] || { echo "korrin-cli fehlt: $cli" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CPU seconds (user + system) of a command, its output thrown away.
cpu() {
  /usr/bin/time -f "%U %S" -o "$work/time" "$@" >/dev/null 2>&1 || true
  awk '{ printf "%.3f", $1 + $2 }' "$work/time"
}

# The same for a command run $runs times in one shell (one process per run).
cpu_runs() {
  local script="for i in \$(seq $runs); do $* >/dev/null 2>&1 || true; done"
  /usr/bin/time -f "%U %S" -o "$work/time" bash -c "$script"
  awk '{ printf "%.3f", $1 + $2 }' "$work/time"
}

mkdir "$work/decoders"
examples=(examples/*.hex)
for i in $(seq 1000); do
  cp "${examples[$(( (i - 1) % ${#examples[@]} ))]}" "$work/decoders/decoder$(printf %04d "$i").hex"
done
echo "inventory, 1000 files:        $(cpu "$cli" inventory "$work/decoders") s CPU"

file=examples/fenwik_18324_cv.hex
echo "info, $runs runs ($(basename $file)):  $(cpu_runs "$cli" info "$file") s CPU"
if command -v srec_info >/dev/null; then
  echo "srec_info -Intel, $runs runs:   $(cpu_runs srec_info "$file" -Intel) s CPU"
fi
echo "the empty shell loop, $runs runs: $(cpu_runs true) s CPU"
