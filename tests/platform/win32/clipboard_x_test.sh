#!/usr/bin/env bash
# Our clipboard's text reaches the X session: the test program places it (Clipboard.*), then
# xclip, an X program, reads it. Run by in-wine.sh.
set -euo pipefail
text='Tidewell ✓ naïve 7:05:09 PM	tab'
# Wine hands the program's clipboard to the X session through its desktop process, which a
# loaded machine can leave behind: the text is placed again, at most three times in all.
got=
for _ in 1 2 3; do
  # Wine reads the environment in the character set of LC_CTYPE.
  LC_CTYPE=C.UTF-8 TIDEWELL_CLIPBOARD_TEXT="$text" "$WINE_RUN" "$1" --gtest_filter='Clipboard.*'
  for _ in $(seq 1 50); do
    got=$(timeout 5 xclip -o -selection clipboard 2> /dev/null || true)
    [ "$got" = "$text" ] && exit 0
    sleep 0.1
  done
done
echo "xclip saw: '$got', expected '$text'" >&2
exit 1
