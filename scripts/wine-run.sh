#!/bin/bash
# Runs one Windows program of a build tree under Wine (the cross build's test emulator):
#   wine-run.sh --build-dir DIR PROGRAM.exe ARGS...
# The prefix is made on first use; the wineserver is left to end by itself, as other tests may
# be running in the same prefix.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"
build=.
if [ "${1:-}" = --build-dir ]; then
    build=$2
    shift 2
fi
kestrel_wine_env "$build" || exit 1
exec "$WINE" "$@"
