#!/usr/bin/env bash
# Runs every fuzz target in a fuzz build for a few seconds on its kept corpus and seeds, so
# that none stops building or finds something unnoticed. Fails on the first finding; what
# the target found is kept in the temporary folder it names.
#   smoke.sh BUILD-DIR [SECONDS]
set -euo pipefail

build=$1
seconds=${2:-3}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for target in "$build"/bin/fuzz_*; do
  name=${target##*/fuzz_}
  # New inputs go to a scratch folder: the kept corpus changes only by a deliberate merge.
  mkdir -p "$work/$name"
  dirs=("$work/$name")
  for d in "$here/corpus/$name" "$build/seeds/$name"; do
    [ -d "$d" ] && dirs+=("$d")
  done
  echo "== fuzz_$name"
  if ! "$target" -max_total_time="$seconds" -artifact_prefix="$work/$name-" -print_final_stats=1 \
      "${dirs[@]}" >"$work/$name.log" 2>&1; then
    tail -40 "$work/$name.log"
    kept=$(mktemp -d /tmp/fuzz-finding.XXXXXX)
    cp "$work/$name".log "$work/$name"-* "$kept"/ 2>/dev/null || true
    echo "fuzz_$name found a problem; its input and log are in $kept" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units' "$work/$name.log" || true
  fi
done
exit $status
