#!/bin/bash
# A private LAN to try the protocol by hand: two simulated adapters in one
# network namespace, and a command -- by default an interactive shell -- in
# the other, where locavist may multicast.  Everything is removed when the
# command ends.  Needs root and a native build (./test.sh or ./run.sh makes one).
#
#   tools/lan-shell.sh                                  a shell on the private LAN
#   tools/lan-shell.sh build/native/tools/locavist search
set -euo pipefail
cd "$(dirname "$0")/.."
sim=$(ls build/native/tools/adapter-sim build/run/tools/adapter-sim 2>/dev/null | head -1)
[ -n "$sim" ] || { echo "no adapter-sim built yet: run ./test.sh first" >&2; exit 2; }
. tests/netns/lan.sh
lan_test_begin
start_demo_adapters "$sim" "$work"
if [ $# = 0 ]; then set -- bash -i; fi
in_client "$@"
