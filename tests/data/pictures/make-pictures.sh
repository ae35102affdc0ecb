#!/usr/bin/env bash
# Remakes the pictures kept here: files as ImageMagick and Pillow wrote them,
# each with what its writer read back (NAME.rgb: red, green, blue a pixel,
# top row first; NAME.idx: the indices of a palette picture). They keep the
# reader honest where a writer later changes its defaults.
# usage: tests/data/pictures/make-pictures.sh (from anywhere)
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
python=/usr/bin/python3
pillow=../../cli/pillow_pictures.py
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

$convert -size 40x24 gradient:orange-navy -swirl 160 -type TrueColor BMP3:"$work/source.bmp"
magick() { # NAME FORMAT OPTIONS...: written by ImageMagick and read back by it
    local name=$1 format=$2
    shift 2
    $convert "$work/source.bmp" "$@" "$format:$name"
    $convert "$name" -depth 8 "rgb:${name%.*}.rgb"
}
magick rle8.bmp BMP3 -colors 200 -type Palette
magick os2-palette.bmp BMP2 -colors 200 -type Palette
magick sixteen-colours.bmp BMP3 -colors 16
magick rgb565.bmp BMP -define bmp:subtype=RGB565
magick argb1555.bmp BMP -alpha set -channel A -evaluate set 50% +channel -define bmp:subtype=ARGB1555
magick alpha124.bmp BMP -alpha set
magick interlaced-palette.png PNG8 -colors 50 -interlace PNG
$python $pillow read rle8.bmp os2-palette.bmp sixteen-colours.bmp interlaced-palette.png

# Pillow's own files.
$python $pillow write "$work/source.bmp" "$work"
for name in bmp-1.bmp png-P2.png png-I16.png png-LA.png; do
    cp "$work/$name" "$work/${name%.*}.rgb" .
    [ -f "$work/${name%.*}.idx" ] && cp "$work/${name%.*}.idx" .
done

# RLE4 with every code (no writer here makes it), read back by ImageMagick;
# its grey table makes the indices the grey levels / 17.
$python - <<'PY'
import struct
width, height = 40, 24
stream = bytearray()
for row in range(height):
    if row == 5:
        stream += bytes([0, 2, 7, 2])                  # skip 7 right and 2 up
        stream += bytes([4, 0x9A, 0, 0])
        continue
    if row in (6, 7):
        continue                                       # skipped
    stream += bytes([9, (row % 16) << 4 | 3])          # 9 alternating nibbles
    stream += bytes([0, 5, 0x12, 0x34, 0x50, 0])       # 5 stored nibbles, padded
    stream += bytes([26, 0xFF])                        # the rest of the row
    stream += bytes([0, 0])
stream += bytes([0, 1])
table = b"".join(bytes([i * 17, i * 17, i * 17, 0]) for i in range(16))
offset = 14 + 40 + len(table)
info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 2, len(stream), 0, 0, 16, 0)
head = b"BM" + struct.pack("<IHHI", offset + len(stream), 0, 0, offset)
open("rle4.bmp", "wb").write(head + info + table + stream)
PY
$convert rle4.bmp -depth 8 rgb:rle4.rgb
$python -c "
data = open('rle4.rgb', 'rb').read()
open('rle4.idx', 'wb').write(bytes(v // 17 for v in data[::3]))"
