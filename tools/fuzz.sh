#!/usr/bin/env bash
# Runs every fuzz target long: tools/fuzz.sh [runs per target, default 1000000] [target ...]
# Each target starts from its committed seeds and from what earlier long runs learned
# (build/fuzz-long/<target>); a crashing input is kept in build/fuzz-findings. Two targets run
# at a time (QV_FUZZ_JOBS). Prints runs and seconds per target and every finding, and exits
# non-zero when there was one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-1000000}
shift || true
jobs_max=${QV_FUZZ_JOBS:-2}

"$root/tools/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" --target qv_fuzz >/dev/null

programs="$root/build/fuzz/tests/fuzz"
long="$root/build/fuzz-long"
findings="$root/build/fuzz-findings"
mkdir -p "$long" "$findings"
if [ $# -eq 0 ]; then
  set -- $(cd "$root/tests/fuzz" && ls fuzz_*.cpp | sed 's/^fuzz_//; s/\.cpp$//')
fi

# Writes "<runs> <seconds> <exit status>" to <target>.result; the full output stays in <target>.log.
run_target() {
  local target=$1 start=$SECONDS status=0
  mkdir -p "$long/$target"
  "$programs/fuzz_$target" -runs="$runs" -max_len=4096 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/$target-" "$long/$target" "$root/tests/fuzz/corpus/$target" \
    >"$long/$target.log" 2>&1 || status=$?
  local done_runs
  done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$long/$target.log" | tail -1)
  echo "${done_runs:-?} $((SECONDS - start)) $status" >"$long/$target.result"
}

start_all=$SECONDS
for target in "$@"; do
  rm -f "$long/$target.result"
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_max" ]; do wait -n || true; done
  run_target "$target" &
done
wait

failed=()
printf '%-20s %10s %8s  %s\n' target runs seconds result
for target in "$@"; do
  read -r done_runs seconds status <"$long/$target.result"
  result=ok
  if [ "$status" -ne 0 ]; then
    result="FINDING (exit $status): $long/$target.log"
    failed+=("$target")
  fi
  printf '%-20s %10s %8s  %s\n' "$target" "$done_runs" "$seconds" "$result"
  if [ "$status" -ne 0 ]; then
    grep -E 'ERROR|SUMMARY|check failed|runtime error|Test unit written' "$long/$target.log" |
      head -10 | sed 's/^/    /'
  fi
done
echo "total: $((SECONDS - start_all)) s with $jobs_max at a time"
if [ ${#failed[@]} -ne 0 ]; then
  echo "findings in: ${failed[*]}" >&2
  exit 1
fi
