#!/usr/bin/env bash
# Times a batch conversion through the engine against ffmpeg called directly.
#   bench/batch.sh [build-dir]
# 16 generated 10-second clips are converted with 8 encoder slots by the
# engine (runner, register.dat, ffmpeg), and the same 16 conversions with the
# same options by xargs -P 8 ffmpeg, both at idle priority as the engine runs
# its slots. Three rounds, the order swapped each round so neither side always
# finds the warmer machine; prints the summed wall times and their ratio and
# exits 1 when the engine takes more than 1.05 times as long.
set -euo pipefail
build=$(realpath "${1:-build}")
bin="$build/bin"
driver="$build/bench/batch_driver"
[ -x "$driver" ] || { echo "build first: $driver is missing" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/clips" "$work/engine" "$work/direct"

for i in $(seq -w 1 16); do
  ffmpeg -nostdin -loglevel error -y -f lavfi -i "testsrc=size=1280x720:rate=25" \
    -f lavfi -i "sine=frequency=$((300 + 10#$i * 20)):sample_rate=44100" -t 10 \
    -c:v mpeg4 -q:v 3 -c:a aac -b:a 128k "$work/clips/clip$i.mp4"
done

# The options both sides use; the engine gets them as job pieces.
video_rate=2500000 audio_rate=128000 size=1280x720 options="-vcodec mpeg4 -acodec libmp3lame"

now() { date +%s.%N; }
engine_run() {
  rm -f "$work"/engine/*
  local t0; t0=$(now)
  "$driver" "$bin" "$work/engine" 8 "$video_rate" "$audio_rate" "$size" "$options" "$work"/clips/*.mp4
  engine_total=$(awk -v s="$engine_total" -v a="$t0" -v b="$(now)" 'BEGIN { print s + b - a }')
}
direct_run() {
  rm -f "$work"/direct/*
  local t0; t0=$(now)
  ls "$work"/clips/*.mp4 | xargs -P 8 -I{} sh -c \
    'b=$(basename "$1" .mp4); exec nice -n 19 ffmpeg -nostdin -loglevel error -y -i "$1" -r 25 -b:v '"$video_rate"' -b:a '"$audio_rate"' -ac 2 -aspect 1.7778 -t 00:00:10 -s '"$size"' -ar 44100 '"$options"' -sn "$2/$b.avi"' _ {} "$work/direct"
  direct_total=$(awk -v s="$direct_total" -v a="$t0" -v b="$(now)" 'BEGIN { print s + b - a }')
}
engine_total=0 direct_total=0
engine_run; direct_run
direct_run; engine_run
engine_run; direct_run

[ "$(ls "$work/engine" | wc -l)" = 16 ] || { echo "engine made $(ls "$work/engine" | wc -l) outputs, not 16" >&2; exit 1; }
awk -v e="$engine_total" -v d="$direct_total" 'BEGIN {
  r = e / d
  printf "engine (8 slots), 3 rounds: %.2f s\nxargs -P 8 ffmpeg, 3 rounds: %.2f s\nratio: %.3f (limit 1.05)\n", e, d, r
  exit r <= 1.05 ? 0 : 1 }'
