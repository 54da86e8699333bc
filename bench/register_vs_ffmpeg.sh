#!/usr/bin/env bash
# Wall time of register.dat against ffmpeg called directly with the arguments
# register.dat gives it, for a 10-second 640x480 conversion: five pairs, the
# order alternating within each pair, medians compared.
# Usage: bench/register_vs_ffmpeg.sh [build folder]   (default: build)
set -euo pipefail
BUILD=${1:-build}
REGISTER=$(realpath "$BUILD/bin/register.dat")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=size=640x480:rate=25 \
  -f lavfi -i sine=frequency=440:sample_rate=44100 -t 10 -c:v libx264 -preset ultrafast -c:a aac "$WORK/source.mp4"

# The program's line for an MP4 (H.264 main profile) conversion, split as the runner splits it.
register_args=(-y -mardozb "$WORK/source.mp4" -r 25 -b 1200000 -ab 128000 -ac 2 -aspect 1.3333
  -t 00:00:10 -s 640x480 -ar 44100 -vcodec libx264 -profile:v main -pix_fmt yuv420p -acodec aac -f mp4
  -sn "$WORK/register.mp4")
ffmpeg_args=(-nostdin -hide_banner -nostats -loglevel level+info -progress pipe:3 -y -i "file:$WORK/source.mp4"
  -r 25 -b:v 1200000 -b:a 128000 -ac 2 -aspect 1.3333 -t 00:00:10 -s 640x480 -ar 44100 -c:v libx264
  -profile:v main -pix_fmt yuv420p -c:a aac -f mp4 -sn "file:$WORK/direct.mp4")

seconds() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
run_register() { local t0; t0=$(seconds); "$REGISTER" "${register_args[@]}" > /dev/null 2>&1; elapsed "$t0" "$(seconds)"; }
run_direct() { local t0; t0=$(seconds); ffmpeg "${ffmpeg_args[@]}" 3> /dev/null > /dev/null 2>&1; elapsed "$t0" "$(seconds)"; }

run_register > /dev/null # warm the caches
reg=() dir=()
for i in 1 2 3 4 5; do
  if (( i % 2 )); then reg+=("$(run_register)"); dir+=("$(run_direct)")
  else dir+=("$(run_direct)"); reg+=("$(run_register)"); fi
  echo "pair $i: register.dat ${reg[-1]} s, ffmpeg ${dir[-1]} s"
done
median() { printf '%s\n' "$@" | sort -g | sed -n 3p; }
mr=$(median "${reg[@]}")
md=$(median "${dir[@]}")
echo "median: register.dat $mr s, ffmpeg $md s, ratio $(awk -v a="$mr" -v b="$md" 'BEGIN { printf "%.4f", a / b }')"
