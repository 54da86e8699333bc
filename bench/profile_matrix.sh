#!/usr/bin/env bash
# Every choice the settings window offers, converted: for all profiles each
# frame size, each video quality, and each audio quality x channel item,
# each a 1-s clip with six-channel sound through the real register.dat.
#   bench/profile_matrix.sh [build-dir] [parallel jobs]
# Prints every failed conversion and "N conversions in S s: N passed, N failed";
# exits 1 when any failed.
set -euo pipefail
build=$(realpath "${1:-build}")
parallel="${2:-4}"
driver="$build/bench/profile_matrix"
[ -x "$driver" ] || { echo "build first: $driver is missing" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ffmpeg -nostdin -loglevel error -y -f lavfi -i "testsrc=size=320x240:rate=25" \
  -f lavfi -i "anoisesrc=c=pink:sample_rate=48000" -t 1 \
  -af "pan=6c|c0=c0|c1=c0|c2=c0|c3=c0|c4=c0|c5=c0" -c:v mpeg4 -c:a pcm_s16le "$work/source.mkv"
mkdir -p "$work/out"
"$driver" "$build/bin" "$work/source.mkv" "$work/out" "$parallel"
