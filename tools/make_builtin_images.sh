#!/usr/bin/env bash
# Renders the pictures built into the program (themes/builtin/) from the public-domain Tango icon
# theme and the SVG sources in themes/builtin/. Run by hand when a picture should change; the
# results are committed. Needs the Debian packages tango-icon-theme and librsvg2-bin, and python3.
set -euo pipefail
cd "$(dirname "$0")/.."

tango=${TANGO_DIR:-/usr/share/icons/Tango}
out=themes/builtin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Menu and toolbar icons: key and Tango icon name. The 16-pixel icons are Tango's own hand-drawn
# 16-pixel PNGs, not scaled-down drawings.
icons=(
    New=document-new
    Add=list-add
    InFiles=document-open
    InFolder=folder-open
    OutFolder=folder
    OutFormat=image-x-generic
    Exit=system-log-out
    Copy=edit-copy
    Delete=edit-delete
    SelectAll=edit-select-all
    Convert=go-next
    Error=dialog-error
    Preferences=preferences-system
    CustomConverter=system-search
    Help=help-browser
    Email=mail-message-new
    Web=internet-web-browser
    Updates=software-update-available
    About=dialog-information
)

tango_file() {  # folder below the theme, icon name, extension
    local found
    found=$(find "$tango/$1" -name "$2.$3" -print -quit)
    if [ -z "$found" ]; then
        echo "Tango icon $2 not found in $tango/$1" >&2
        exit 1
    fi
    echo "$found"
}

render_svg() {  # icon name, size, output
    rsvg-convert -w "$2" -h "$2" "$(tango_file scalable "$1" svg)" -o "$3"
}

# Draws a badge (a Tango drawing at badge size) over a base picture, on a canvas of the base's size.
compose() {  # output, canvas size, base PNG, base x, base y, base size, badge icon, badge x, badge y, badge size
    cp "$3" "$work/base.png"
    render_svg "$7" "${10}" "$work/badge.png"
    cat >"$work/compose.svg" <<EOF
<svg xmlns="http://www.w3.org/2000/svg" width="$2" height="$2">
  <image x="$4" y="$5" width="$6" height="$6" href="base.png"/>
  <image x="$8" y="$9" width="${10}" height="${10}" href="badge.png"/>
</svg>
EOF
    rsvg-convert "$work/compose.svg" -o "$1"
}

mkdir -p "$out/icons" "$out/buttons"
for pair in "${icons[@]}"; do
    cp "$(tango_file 16x16 "${pair#*=}" png)" "$out/icons/${pair%%=*}.png"
done

# Keys Tango has no single icon for: a folder marked as a favourite, and a file list with an arrow
# coming in or going out.
compose "$out/icons/FavFolder.png" 16 "$(tango_file 16x16 folder png)" 0 0 16 emblem-favorite 7 7 9
compose "$out/icons/ImportFiles.png" 16 "$(tango_file 16x16 text-x-generic png)" 2 0 16 go-next 0 6 10
compose "$out/icons/ExportFiles.png" 16 "$(tango_file 16x16 text-x-generic png)" -2 0 16 go-next 6 6 10

# The large buttons; Convert shows a camera whose picture goes on.
render_svg document-open 48 "$out/buttons/InFiles.png"
render_svg folder-open 48 "$out/buttons/InFolder.png"
render_svg camera-photo 48 "$work/camera.png"
compose "$out/buttons/Convert.png" 64 "$work/camera.png" 0 2 48 go-next 30 28 34

rsvg-convert "$out/picture.svg" -o "$out/picture.png"
rsvg-convert "$out/banner.svg" -o "$work/banner.png"

# The banner is a 24-bit BMP; rsvg-convert writes only PNG (8-bit RGB for an opaque drawing such as
# the banner, not interlaced), so this decodes that PNG and writes its rows bottom-up as BGR rows
# padded to four bytes.
python3 - "$work/banner.png" "$out/banner.bmp" <<'EOF'
import struct, sys, zlib

data = open(sys.argv[1], "rb").read()
pos, idat = 8, b""
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + length]
    if kind == b"IHDR":
        width, height, depth, colour = struct.unpack(">IIBB", body[:10])
        assert depth == 8 and colour == 2, "expected an opaque 8-bit RGB picture"
    elif kind == b"IDAT":
        idat += body
    pos += 12 + length

raw, stride, bpp = zlib.decompress(idat), width * 3, 3
rows, previous = [], bytearray(stride)
for y in range(height):
    start = y * (stride + 1)
    kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
    for i in range(stride):
        a = row[i - bpp] if i >= bpp else 0
        b = previous[i]
        c = previous[i - bpp] if i >= bpp else 0
        if kind == 1:
            row[i] = (row[i] + a) & 0xFF
        elif kind == 2:
            row[i] = (row[i] + b) & 0xFF
        elif kind == 3:
            row[i] = (row[i] + (a + b) // 2) & 0xFF
        elif kind == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
    rows.append(row)
    previous = row

padding = (4 - width * 3 % 4) % 4
pixels = b"".join(
    bytes(b for x in range(width) for b in (row[3 * x + 2], row[3 * x + 1], row[3 * x])) + b"\0" * padding
    for row in reversed(rows))
header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
open(sys.argv[2], "wb").write(header + info + pixels)
EOF
