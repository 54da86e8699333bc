#!/usr/bin/env bash
# A screenshot of the main window with three rows in its list, taken from a
# real X display (Xvfb) with ffmpeg's screen grabber; a popup menu of the
# window (zm_pop_edit, pop_dvd, ...) may be shown open over the list.
#   bench/screenshot.sh [build-folder] [output.png] [menu]
set -euo pipefail
build="${1:-build}"
shot="${2:-main_window.png}"
export RAVENMOOR_OPEN_MENU="${3:-}"
driver="$build/bench/window_with_rows"
[ -x "$driver" ] || { echo "missing $driver: build first" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for i in 1 2 3; do
  ffmpeg -nostdin -loglevel error -f lavfi -i "testsrc=size=640x360:rate=25" -f lavfi -i "sine=frequency=440" \
    -t $((i * 4)) -c:v mpeg4 -c:a mp3 "$work/holiday clip $i.avi"
done
export RAVENMOOR_CONFIG_DIR="$work/config"
xvfb-run -a -s "-screen 0 1024x720x24" bash -c '
  set -euo pipefail
  coproc DRIVER { QT_QPA_PLATFORM=xcb "$0" "$1/holiday clip 1.avi" "$1/holiday clip 2.avi" "$1/holiday clip 3.avi"; }
  read -r line <&"${DRIVER[0]}"
  echo "$line"
  sleep 1
  ffmpeg -nostdin -loglevel error -y -f x11grab -video_size 1024x720 -i "$DISPLAY" -frames:v 1 "$2"
  exec {DRIVER[1]}>&-
  wait "$DRIVER_PID" || true
' "$driver" "$work" "$(realpath -m "$shot")"
echo "screenshot: $shot"
