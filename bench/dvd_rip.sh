#!/usr/bin/env bash
# Wall time of a DVD rip through mydvd.dll against ffmpeg reading the same
# sectors from a plain file with the same options, for the 60-second title of
# the fixture (four chapters of 15 s) as an MPEG-4 AVI at 640x480: three
# pairs, the order alternating within each pair; the median of the pairs'
# ratios is the result (the two runs of a pair share the machine's load). Then
# mydvd.dll's peak resident memory over one more rip.
# Exits 1 when the ratio is above 1.05 or the memory reaches 64 MB.
# Usage: bench/dvd_rip.sh [build folder]   (default: build)
set -euo pipefail
BUILD=${1:-build}
MYDVD=$(realpath "$BUILD/bin/mydvd.dll")
SOURCE=$(dirname "$(realpath "$0")")/..
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

bash "$SOURCE/tools/make_dvd_fixture.sh" "$WORK/disc" 15
vob="$WORK/disc/VIDEO_TS/VTS_01_1.VOB"
# The title is the whole title VOB: its cells run from sector 0 to the last.
last=$(( $(stat -c %s "$vob") / 2048 - 1 ))
dd if="$vob" of="$WORK/title.vob" bs=2048 skip=0 count=$((last + 1)) status=none

# The program's DVD title line, split as the runner splits it.
mydvd_args=(-y -i "vts://01*0*$last*0x80*0*$WORK/disc" -r 25 -b 1200000 -ab 128000 -ac 2 -aspect 1.3333
  -t 00:01:00 -s 640x480 -ar 44100 -vcodec mpeg4 -pix_fmt yuv420p -vtag XVID -acodec libmp3lame -f avi
  -sn "$WORK/mydvd.avi")
# What mydvd.dll gives ffmpeg, with the sectors from the file instead of the pipe.
ffmpeg_args=(-nostdin -hide_banner -nostats -loglevel level+info -progress pipe:3 -y -probesize 8000000
  -analyzeduration 30000000 -f mpeg -i "file:$WORK/title.vob" -map 0:v:0 -map 0:i:0x80 -r 25 -b:v 1200000
  -b:a 128000 -ac 2 -aspect 1.3333 -t 00:01:00 -s 640x480 -ar 44100 -c:v mpeg4 -pix_fmt yuv420p -vtag XVID
  -c:a libmp3lame -f avi -sn "file:$WORK/direct.avi")

seconds() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
run_mydvd() { local t0; t0=$(seconds); "$MYDVD" "${mydvd_args[@]}" > /dev/null 2>&1; elapsed "$t0" "$(seconds)"; }
run_direct() { local t0; t0=$(seconds); ffmpeg "${ffmpeg_args[@]}" 3> /dev/null > /dev/null 2>&1; elapsed "$t0" "$(seconds)"; }

run_mydvd > /dev/null # warm the caches
dvd=() dir=() ratios=()
for i in 1 2 3; do
  if (( i % 2 )); then dvd+=("$(run_mydvd)"); dir+=("$(run_direct)")
  else dir+=("$(run_direct)"); dvd+=("$(run_mydvd)"); fi
  ratios+=("$(awk -v a="${dvd[-1]}" -v b="${dir[-1]}" 'BEGIN { printf "%.4f", a / b }')")
  echo "pair $i: mydvd.dll ${dvd[-1]} s, ffmpeg ${dir[-1]} s, ratio ${ratios[-1]}"
done
median() { printf '%s\n' "$@" | sort -g | sed -n 2p; }
ratio=$(median "${ratios[@]}")
echo "median: mydvd.dll $(median "${dvd[@]}") s, ffmpeg $(median "${dir[@]}") s, ratio $ratio (limit 1.05)"

# Peak resident memory of mydvd.dll itself (not its ffmpeg), sampled from
# /proc while it rips; VmHWM is the kernel's own high-water mark.
"$MYDVD" "${mydvd_args[@]}" > /dev/null 2>&1 &
pid=$!
peak=0
while kill -0 "$pid" 2> /dev/null; do
  hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2> /dev/null || true)
  [[ -n "$hwm" ]] && (( hwm > peak )) && peak=$hwm
  sleep 0.02
done
wait "$pid"
echo "mydvd.dll peak resident memory: $((peak / 1024)) MB ($peak kB, limit 64 MB)"

awk -v r="$ratio" 'BEGIN { exit !(r <= 1.05) }' || { echo "FAIL: mydvd.dll is more than 5% slower"; exit 1; }
(( peak > 0 && peak < 65536 )) || { echo "FAIL: mydvd.dll's memory"; exit 1; }
echo "OK"
