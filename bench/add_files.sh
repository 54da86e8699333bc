#!/usr/bin/env bash
# Times adding 200 files to the source list (each probed through register.dat)
# against running ffprobe on each of them one after another.
#   bench/add_files.sh [build-dir]
# Exits 1 when adding takes more than 0.3 times as long: the add command
# probes the next files side by side.
set -euo pipefail
build=$(realpath "${1:-build}")
bin="$build/bin"
driver="$build/bench/add_driver"
[ -x "$driver" ] || { echo "build first: $driver is missing" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ffmpeg -nostdin -loglevel error -y -f lavfi -i "testsrc=size=320x240:rate=25" \
  -f lavfi -i "sine=frequency=440:sample_rate=44100" -t 2 -c:v mpeg4 -c:a aac "$work/seed.mp4"
for i in $(seq -w 1 200); do cp "$work/seed.mp4" "$work/clip$i.mp4"; done

now() { date +%s.%N; }
t0=$(now)
"$driver" "$bin" "$work"/clip*.mp4
t1=$(now)
for f in "$work"/clip*.mp4; do ffprobe -v error -show_format -show_streams -of json "$f" >/dev/null; done
t2=$(now)

awk -v a="$t0" -v b="$t1" -v c="$t2" 'BEGIN {
  e = b - a; d = c - b; r = e / d
  printf "add 200 files: %.2f s\nffprobe each: %.2f s\nratio: %.3f (limit 0.3)\n", e, d, r
  exit r <= 0.3 ? 0 : 1 }'
