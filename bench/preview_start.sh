#!/usr/bin/env bash
# How quickly the preview answers, in the real window on an Xvfb display with
# the video drawn into pl_play: from the Play press to the first decoded frame
# for a file row (limit 500 ms; the first preview after the start, which also
# opens the player library, 600 ms) and for the longest title of the DVD
# fixture (limit 800 ms), from a release of the play bar to the first frame from
# there (limit 300 ms), and the CPU of a paused preview (about none: limit 1 %
# of a core). Medians of RUNS previews each (default 5).
# Exits 1 above a limit.
#   bench/preview_start.sh [build folder] [runs]
set -euo pipefail
build="${1:-build}"
runs="${2:-5}"
driver="$build/bench/preview_driver"
[ -x "$driver" ] || { echo "missing $driver: build first" >&2; exit 1; }
source_dir=$(dirname "$(realpath "$0")")/..
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
ffmpeg -nostdin -loglevel error -f lavfi -i "testsrc2=size=640x360:rate=25" -f lavfi -i "sine=frequency=440" \
  -t 20 -c:v libx264 -preset veryfast -c:a aac "$work/clip.mp4"
bash "$source_dir/tools/make_dvd_fixture.sh" "$work/disc" 6 > /dev/null
export RAVENMOOR_CONFIG_DIR="$work/config" QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x1024x24" "$driver" bench "$work/clip.mp4" "$work/disc" "$runs"
