#!/usr/bin/env bash
# Makes a small real DVD folder under DIR (DIR/VIDEO_TS) with ffmpeg, spumux
# and dvdauthor, for tests and benchmarks:
#   title set 1: one title of four chapters of CHAPTER_SECONDS each (default 6),
#                two AC-3 audio streams (440 Hz "en", 1760 Hz "fr") and one
#                subtitle stream ("en": a white box in the lower third, shown
#                from 2 s to 4 s of the title);
#   title set 2: one title of 8 s, one AC-3 stream (660 Hz "de"), no subtitle.
# PAL, 720x576, 25 frames a second, GOPs of 15 frames, so chapter marks fall
# on whole seconds; video at a constant 5 Mb/s, so every cell spans well over
# 1000 sectors.
# usage: make_dvd_fixture.sh DIR [CHAPTER_SECONDS]
set -euo pipefail

dir=${1:?usage: make_dvd_fixture.sh DIR [CHAPTER_SECONDS]}
chapter=${2:-6}
ffmpeg=${FFMPEG:-ffmpeg}
mkdir -p "$dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

video=(-c:v mpeg2video -s 720x576 -r 25 -g 15 -bf 2 -pix_fmt yuv420p -aspect 4:3
       -b:v 5000k -minrate 5000k -maxrate 5000k -bufsize 1835k)
audio=(-c:a ac3 -b:a 192k -ar 48000 -ac 2)
mux=(-f dvd -muxrate 10080000 -packetsize 2048)

title1=$((chapter * 4))
"$ffmpeg" -nostdin -loglevel error -y \
  -f lavfi -i "testsrc2=size=720x576:rate=25:duration=$title1" \
  -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=$title1" \
  -f lavfi -i "sine=frequency=1760:sample_rate=48000:duration=$title1" \
  -map 0:v -map 1:a -map 2:a "${video[@]}" "${audio[@]}" "${mux[@]}" "$work/title1.mpg"
"$ffmpeg" -nostdin -loglevel error -y \
  -f lavfi -i "testsrc2=size=720x576:rate=25:duration=8" \
  -f lavfi -i "sine=frequency=660:sample_rate=48000:duration=8" \
  -map 0:v -map 1:a "${video[@]}" "${audio[@]}" "${mux[@]}" "$work/title2.mpg"

# The subtitle picture: transparent, with a white box where a line of text would stand.
python3 - "$work/subtitle.png" <<'PY'
import struct, sys, zlib
w, h = 720, 576
box = (160, 430, 560, 500)
rows = bytearray()
for y in range(h):
    rows.append(0)
    for x in range(w):
        inside = box[0] <= x < box[2] and box[1] <= y < box[3]
        rows += b"\xff\xff\xff\xff" if inside else b"\x00\x00\x00\x00"
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
open(sys.argv[1], "wb").write(png)
PY
cat > "$work/subtitle.xml" <<EOF
<subpictures format="PAL">
  <stream>
    <spu start="00:00:02.00" end="00:00:04.00" image="$work/subtitle.png"/>
  </stream>
</subpictures>
EOF
spumux -m dvd -s 0 "$work/subtitle.xml" <"$work/title1.mpg" >"$work/title1s.mpg" 2>"$work/spumux.log" ||
  { cat "$work/spumux.log" >&2; exit 1; }

marks="0"
for ((c = 1; c < 4; c++)); do
  marks+=$(printf ',0:%02d:%02d' $((c * chapter / 60)) $((c * chapter % 60)))
done
cat > "$work/dvd.xml" <<EOF
<dvdauthor dest="$dir" jumppad="no">
  <vmgm/>
  <titleset>
    <titles>
      <video format="pal" aspect="4:3"/>
      <audio lang="en"/>
      <audio lang="fr"/>
      <subpicture lang="en"/>
      <pgc><vob file="$work/title1s.mpg" chapters="$marks"/></pgc>
    </titles>
  </titleset>
  <titleset>
    <titles>
      <video format="pal" aspect="4:3"/>
      <audio lang="de"/>
      <pgc><vob file="$work/title2.mpg"/></pgc>
    </titles>
  </titleset>
</dvdauthor>
EOF
VIDEO_FORMAT=PAL dvdauthor -x "$work/dvd.xml" >"$work/dvdauthor.log" 2>&1 ||
  { cat "$work/dvdauthor.log" >&2; exit 1; }
