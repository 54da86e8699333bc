#!/usr/bin/env bash
# A screenshot of the main window with three rows in its list, taken from a
# real X display (Xvfb) with ffmpeg's screen grabber. The third argument is
# a popup menu of the window (zm_pop_edit, pop_dvd, ...) shown open over the
# list, or "preview": the window playing the first clip in its panel pl_play.
#   bench/screenshot.sh [build-folder] [output.png] [menu | preview]
set -euo pipefail
build="${1:-build}"
shot="${2:-main_window.png}"
mode="${3:-rows}"
if [ "$mode" != preview ] && [ "$mode" != rows ]; then
  export RAVENMOOR_OPEN_MENU="$mode"
fi
driver="$build/bench/window_with_rows"
[ "$mode" = preview ] && driver="$build/bench/preview_driver"
[ -x "$driver" ] || { echo "missing $driver: build first" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for i in 1 2 3; do
  ffmpeg -nostdin -loglevel error -f lavfi -i "testsrc=size=640x360:rate=25" -f lavfi -i "sine=frequency=440" \
    -t $((i * 4)) -c:v mpeg4 -c:a mp3 "$work/holiday clip $i.avi"
done
export RAVENMOOR_CONFIG_DIR="$work/config"
if [ "$mode" = preview ]; then
  args=(show "$work/holiday clip 3.avi")
else
  args=("$work/holiday clip 1.avi" "$work/holiday clip 2.avi" "$work/holiday clip 3.avi")
fi
xvfb-run -a -s "-screen 0 1024x720x24" bash -c '
  set -euo pipefail
  shot="$1"; shift
  coproc DRIVER { QT_QPA_PLATFORM=xcb "$@"; }
  read -r line <&"${DRIVER[0]}"
  echo "$line"
  sleep 1
  ffmpeg -nostdin -loglevel error -y -f x11grab -video_size 1024x720 -i "$DISPLAY" -frames:v 1 "$shot"
  exec {DRIVER[1]}>&-
  wait "$DRIVER_PID" || true
' bash "$(realpath -m "$shot")" "$driver" "${args[@]}"
echo "screenshot: $shot"
