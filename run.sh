#!/bin/bash
# Sets up a Debian machine if needed, builds, and runs the program against
# two simulated adapters on a private LAN of network namespaces, so that
# nothing leaves this machine.  Needs root (for the namespaces).
#
# Until the Windows program lands, this runs the Linux command-line front
# end: `locavist search`, then the adapters' request logs.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup-debian.sh
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/run locavist adapter-sim >/dev/null
sim=build/run/tools/adapter-sim
locavist=build/run/tools/locavist

. tests/netns/lan.sh
[ "$(id -u)" = 0 ] || { echo "run.sh needs root to make its private network namespaces" >&2; exit 2; }
work=$(mktemp -d)
lan_up
trap 'lan_down; rm -rf "$work"' EXIT
start_adapter "$sim" "$work/store1.log" --name STORE1 --ip 192.0.2.10 --mac 00:50:C2:00:00:0A \
  --netmask 255.255.255.0 --gateway 192.0.2.254
start_adapter "$sim" "$work/store2.log" --name STORE2 --ip 192.0.2.11 --mac 00:50:C2:00:00:0B \
  --netmask 255.255.255.0 --gateway 192.0.2.254 --dhcp

echo "\$ locavist search"
in_client "$locavist" search "$@" || true
