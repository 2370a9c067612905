#!/usr/bin/env bash
# The toolkit-free layers include only standard C++ headers in angle brackets: no toolkit,
# no OS header. Their own headers come in quotes, limited by the build's layer folders.
set -euo pipefail
src=$1
bad=$(grep -rnE '^\s*#\s*include\s*<' "$src"/core "$src"/settings "$src"/schedule "$src"/run \
        "$src"/close "$src"/history "$src"/tray "$src"/window "$src"/platform/*.h \
        "$src"/platform/common | grep -vE '#\s*include\s*<[a-z_]+>' || true)
if [ -n "$bad" ]; then
    echo "Headers that are not standard C++ in the toolkit-free layers:"
    echo "$bad"
    exit 1
fi
