#!/usr/bin/env bash
# Usage: layer_views.sh COMPILER -I... -- OWN_HEADER FOREIGN_HEADER
# With a library's include flags, its own header compiles and a header of a library it does
# not link is not found: the build, not a convention, keeps the features apart.
set -uo pipefail
compiler=$1
shift
flags=()
while [ "$1" != -- ]; do
    flags+=("$1")
    shift
done
own=$2
foreign=$3
compile() { printf '#include "%s"\n' "$1" | "$compiler" -std=c++20 -fsyntax-only -x c++ "${flags[@]}" - 2>&1; }

if ! out=$(compile "$own"); then
    echo "$own does not compile with its own library's view:"
    echo "$out"
    exit 1
fi
out=$(compile "$foreign") && {
    echo "$foreign compiled with a view that should not hold it"
    exit 1
}
if ! grep -qE "$foreign.*(No such file|not found)" <<<"$out"; then
    echo "$foreign failed for another reason than not being in the view:"
    echo "$out"
    exit 1
fi
echo "$out" | grep -E "$foreign"
