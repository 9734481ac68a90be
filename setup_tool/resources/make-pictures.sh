#!/usr/bin/env bash
# Draws the setup tool's three pictures into the directory given as the only argument:
#   banner.bmp    76 x 303, 24-bit BMP   - the tall narrow strip beside the pages
#   photo.jpg     426 x 320, baseline    - the seashore picture
#   mainicon.ico  32 x 32, 16 colours    - the program's icon
# Everything is drawn from primitives, so the same tools give the same bytes every time.
# Needs only Debian's imagemagick, fonts-dejavu-core and python3.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTPUT-DIRECTORY" >&2
  exit 2
fi
out=$1

# ImageMagick by its Debian path, so that some other convert earlier in PATH is never used.
convert=${CONVERT:-/usr/bin/convert}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

for tool in "$convert" "$font"; do
  [ -e "$tool" ] || { echo "$0: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

mkdir -p -- "$out"

# One thread: ImageMagick's parallel loops may round differently from run to run.
export MAGICK_THREAD_LIMIT=1
# -strip and the date options keep the time of the run out of the files.
common=(-strip +set date:create +set date:modify +set date:timestamp)

ink='#1F3F9F'      # the blue of the product's lettering
logo='#16307A'     # a shade darker, so the white letters stand out
ground='#C8D4E4'

# --- banner.bmp -------------------------------------------------------------
# A resource bitmap should be the plain DIB that every Windows version reads: a
# BITMAPINFOHEADER, bottom-up rows, no compression. BMP3 gives that header, and TrueColor
# with no alpha keeps it at 24 bits: an image ImageMagick holds as a palette is written
# with as few bits as its colours need.
# The words run bottom to top (-rotate -90), the way Czech book spines read. They are
# trimmed to their ink so that they start as far from the bottom edge as the logo sits
# from the top one, and 19 points is the largest size that still clears the logo.
"$convert" -size 76x303 "xc:$ground" \
  \( -size 60x60 xc:none -fill "$logo" -draw 'roundrectangle 0,0 59,59 9,9' \
     -fill '#5F7FCF' -draw 'rectangle 8,44 51,46' \
     -font "$font" -pointsize 21 -fill white -gravity center -annotate +0-5 'TYX' \) \
  -gravity north -geometry +0+8 -composite \
  \( +size +gravity -background none -font "$font" -pointsize 19 -fill "$ink" \
     label:'Podvojné účetnictví' -trim +repage -rotate -90 \) \
  -gravity south -geometry +0+8 -composite \
  -alpha off -type TrueColor "${common[@]}" "BMP3:$out/banner.bmp"

# --- photo.jpg --------------------------------------------------------------
# The window shows only the top-left 423 x 248 and covers the last two of those rows, so the
# horizon, the sea and the edge of the beach all lie within the top 246 rows; what is below
# is plain sand. Baseline, not progressive, so that any JPEG decoder can read it.
# Horizon at y=118, shore around y=190.
"$convert" \
  \( -size 426x118 'gradient:#2C64B8-#CFE4F4' \) \
  \( -size 426x74 'gradient:#1C5A8E-#3C9CB8' \) \
  \( -size 426x128 'gradient:#E8D6A6-#D2B67C' \) \
  -append \
  \( -size 426x320 xc:none \
     -fill '#FFF6D0' -draw 'circle 96,52 96,30' \
     -fill white -draw 'ellipse 250,40 48,9 0,360' -draw 'ellipse 285,34 30,10 0,360' \
     -draw 'ellipse 360,62 36,6 0,360' -draw 'ellipse 40,88 34,5 0,360' \
     -blur 0x3 \) -composite \
  -fill '#FFFBE8' -draw 'circle 96,52 96,34' \
  -fill '#6E8596' -draw 'polygon 0,118 0,112 30,109 62,111 84,115 110,118' \
  -fill '#3F5E52' -draw 'polygon 262,118 290,104 318,92 344,86 370,88 396,96 426,102 426,118' \
  -fill '#54735F' -draw 'polygon 300,118 334,106 362,102 392,108 426,112 426,118' \
  -fill none -stroke '#9CC8E0' -strokewidth 1 \
     -draw 'line 20,126 58,126' -draw 'line 120,124 170,124' -draw 'line 210,128 246,128' \
     -draw 'line 300,125 352,125' -draw 'line 70,134 118,134' -draw 'line 180,138 236,138' \
     -draw 'line 280,136 330,136' -draw 'line 370,131 414,131' -draw 'line 6,146 66,146' \
     -draw 'line 130,150 200,150' -draw 'line 250,148 316,148' -draw 'line 350,154 420,154' \
  -stroke '#B8E0EE' -strokewidth 2 \
     -draw 'line 40,164 120,164' -draw 'line 170,168 262,168' -draw 'line 300,163 390,163' \
     -draw 'line 90,178 190,178' -draw 'line 240,180 350,180' \
  -stroke none -fill '#C7AE78' \
     -draw 'path "M 0,186 C 60,180 110,196 170,190 S 280,182 330,192 S 400,196 426,188 L 426,206 L 0,206 Z"' \
  -fill '#F4FAFC' \
     -draw 'path "M 0,184 C 60,178 110,194 170,188 S 280,180 330,190 S 400,194 426,186 L 426,191 C 400,199 360,196 330,196 S 240,186 170,195 S 60,185 0,190 Z"' \
  -fill '#E8D6A6' \
     -draw 'path "M 0,200 C 70,196 120,206 190,202 S 320,196 426,204 L 426,320 L 0,320 Z"' \
  -fill '#BFA370' -draw 'ellipse 70,226 5,2 0,360' -draw 'ellipse 300,234 6,2 0,360' \
     -draw 'ellipse 372,218 4,2 0,360' -draw 'ellipse 180,240 4,1 0,360' \
  -colorspace sRGB -type TrueColor "${common[@]}" \
  -quality 85 -interlace none -sampling-factor 2x2,1x1,1x1 "$out/photo.jpg"

# --- mainicon.ico -----------------------------------------------------------
# A dark-blue ledger with white page edges, a red bookmark and a white T on the cover.
# Drawn straight in palette indices: a 32-pixel icon needs hard edges, and anti-aliased
# edges forced into 16 colours come out blotchy. Written by hand because ImageMagick's
# ICO writer does not reliably keep 4 bits per pixel, and Windows before Vista reads only
# the BITMAPINFOHEADER form, not an embedded PNG.
python3 - "$out/mainicon.ico" <<'EOF'
import struct
import sys

# The standard Windows 16-colour palette, in the index order every 4-bit icon assumes.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREY, SILVER, NAVY, RED, BLUE, WHITE = 0, 1, 8, 7, 4, 9, 12, 15
CLEAR = None
SIZE = 32

px = [[CLEAR] * SIZE for _ in range(SIZE)]


def box(x0, y0, x1, y1, colour):
    """Fills the rectangle with both corners included; y grows downward."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            px[y][x] = colour


# The block of pages, peeking out to the right of and below the cover.
box(6, 4, 28, 29, BLACK)
box(7, 5, 27, 28, WHITE)
for y in range(6, 28, 2):           # page edges on the right side
    box(26, y, 27, y, SILVER)
for x in range(8, 26, 2):           # and along the bottom
    box(x, 27, x, 28, SILVER)
# The cover over them.
box(2, 2, 25, 26, BLACK)
box(3, 3, 24, 25, NAVY)
box(3, 3, 6, 25, BLUE)              # the spine, lighter
box(7, 3, 7, 25, BLACK)             # its fold
box(4, 6, 5, 6, NAVY)               # bands on the spine
box(4, 22, 5, 22, NAVY)
# A bookmark hanging out under the cover.
box(19, 26, 22, 31, BLACK)
box(20, 26, 21, 30, RED)
px[31][20] = px[31][21] = CLEAR     # notched end
px[30][20] = MAROON
px[30][21] = MAROON
# The T, two pixels thick in the bar and four in the stem, with a dark drop shadow.
box(11, 7, 22, 10, GREY)
box(15, 11, 18, 22, GREY)
box(10, 6, 21, 9, WHITE)
box(14, 10, 17, 21, WHITE)

# The AND mask keeps transparent pixels at colour 0, so the XOR part adds nothing there.
xor = bytearray()
mask = bytearray()
for y in reversed(range(SIZE)):     # bottom-up, as in every BMP
    row = [0 if c is CLEAR else c for c in px[y]]
    xor += bytes((row[x] << 4) | row[x + 1] for x in range(0, SIZE, 2))
    bits = 0
    for x in range(SIZE):
        bits = (bits << 1) | (px[y][x] is CLEAR)
    mask += bits.to_bytes(SIZE // 8, "big")

palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(xor) + len(mask), 0, 0, 0, 0)
image = header + palette + bytes(xor) + bytes(mask)
icondir = struct.pack("<HHH", 0, 1, 1)
entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)

with open(sys.argv[1], "wb") as f:
    f.write(icondir + entry + image)
EOF
