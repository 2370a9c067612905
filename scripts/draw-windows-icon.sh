#!/bin/sh
# Draws the blue Q of data/icons/com.quillmark.Tidewell.svg (a ring and a tail on a 16-unit
# grid, as the program draws its tray icon) at 16, 32 and 48 pixels into the Windows
# edition's icon file. Run once when the picture changes; the
# result is committed, so a build needs no ImageMagick.
set -eu
out=${1:-src/frontend/win32/resources/blue_q.ico}
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
