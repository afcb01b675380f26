#!/bin/bash
# locavist search over real multicast, against simulated adapters in a
# private namespace pair.
#   search_test.sh LOCAVIST ADAPTER-SIM
set -u
locavist=$1 sim=$2
. "$(dirname "$0")/lan.sh"
lan_test_begin   # sets $work

start_adapter "$sim" "$work/a1.log" --name STORE1 --ip 192.0.2.10 --mac 00:50:C2:00:00:0A \
  --netmask 255.255.255.0 --gateway 192.0.2.254 --delay-ms 30 || exit 1
start_adapter "$sim" "$work/a2.log" --name "NAS two" --ip 192.0.2.11 --mac 00:50:C2:00:00:0B \
  --netmask 255.255.0.0 --gateway 192.0.2.1 --dhcp --delay-ms 5 --every-copy || exit 1

start=$(now_ms)
out=$(in_client "$locavist" search)
status=$?
elapsed_ms=$(( $(now_ms) - start ))
expect "search exit status" 0 "$status"
expect "search lists both, first reply first" \
  "$(printf 'NAS two\t192.0.2.11\t255.255.0.0\t192.0.2.1\tdhcp\t00:50:C2:00:00:0B\nSTORE1\t192.0.2.10\t255.255.255.0\t192.0.2.254\tstatic\t00:50:C2:00:00:0A')" \
  "$out"
echo "real sweep took $elapsed_ms ms"
expect "sweep takes 1.1 to 3 s" yes "$([ "$elapsed_ms" -ge 1100 ] && [ "$elapsed_ms" -lt 3000 ] && echo yes || echo "no: $elapsed_ms ms")"

# The adapter saw three identical 11-byte requests carrying our address.
reqs=$(cut -d' ' -f2- "$work/a1.log")
expect "three requests logged" 3 "$(wc -l <<<"$reqs")"
expect "copies identical" 1 "$(sort -u <<<"$reqs" | wc -l)"
expect "request layout" "01 ?? ?? ?? ?? ?? ?? C0 00 02 01" "$(head -1 <<<"$reqs" | sed -E 's/^01(( [0-9A-F]{2}){6})/01 ?? ?? ?? ?? ?? ??/')"
gaps=$(awk 'NR>1{print $1-p} {p=$1}' "$work/a1.log" | tr '\n' ' ')
echo "gaps between copies: $gaps ms"

json=$(in_client "$locavist" --json search)
expect "json exit status" 0 $?
expect "json names" '"name": "NAS two", "name": "STORE1",' "$(grep -o '"name": "[^"]*",' <<<"$json" | tr '\n' ' ' | sed 's/ $//')"

# No adapters: exit status 1 and no lines.
for pid in $(ip netns pids "$LAN_ADAPTERS"); do kill "$pid"; done
sleep 0.3
out=$(in_client "$locavist" search)
expect "none found exit status" 1 $?
expect "none found output" "" "$out"

lan_summary
