#!/bin/sh
# Draws the blue Q of data/icons/com.quillmark.Tidewell.svg (a ring and a tail on a 16-unit
# grid, as the program draws its tray icon) at 16, 32 and 48 pixels into the Windows
# edition's icon file, and large on white into the installer's side picture (164x314, as
# its last page has it). Run once when the picture changes; the results are committed, so a
# build needs no ImageMagick.
set -eu
out=${1:-src/frontend/win32/resources/blue_q.ico}
side=${2:-packaging/windows/side.bmp}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 32 48; do
  s() { echo "$1 * $size / 16" | bc -l; }
  convert -size "${size}x${size}" xc:none -fill none -stroke '#1f4fd8' \
    -strokewidth "$(s 2.4)" -draw "ellipse $(s 7.7),$(s 7.0) $(s 5.5),$(s 5.8) 0,360" \
    -strokewidth "$(s 2.6)" \
    -draw "stroke-linecap round line $(s 9.2),$(s 9.8) $(s 14.2),$(s 14.6)" \
    "$tmp/q$size.png"
done
convert "$tmp/q16.png" "$tmp/q32.png" "$tmp/q48.png" "$out"
size=112
# The Q large, in the upper half.
convert -size 164x314 xc:white -fill none -stroke '#1f4fd8' \
  -draw "translate 24,70 stroke-width $(s 2.4) ellipse $(s 7.7),$(s 7.0) $(s 5.5),$(s 5.8) 0,360" \
  -draw "translate 24,70 stroke-width $(s 2.6) stroke-linecap round line $(s 9.2),$(s 9.8) $(s 14.2),$(s 14.6)" \
  -colors 16 -type Palette "BMP3:$side"
