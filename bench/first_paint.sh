#!/usr/bin/env bash
# Time from process start to the first painted main window, offscreen, for a
# user without settings: median of N runs (default 5), in milliseconds.
#   bench/first_paint.sh [build-folder] [runs]
set -euo pipefail
build="${1:-build}"
runs="${2:-5}"
timer="$build/bench/startup_timer"
[ -x "$timer" ] || { echo "missing $timer: build first" >&2; exit 1; }
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
export QT_QPA_PLATFORM=offscreen RAVENMOOR_CONFIG_DIR="$config"
times=()
for ((i = 1; i <= runs; i++)); do
  rm -rf "${config:?}"/*
  start=$(date +%s%N)
  painted=$("$timer" 2>/dev/null | tail -n 1)
  times+=($(( (painted - start) / 1000000 )))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "runs (ms): ${times[*]}"
echo "median: ${sorted[$((runs / 2))]} ms"
