#!/bin/bash
# locavist's adapter commands over real multicast, against simulated
# adapters in a private namespace pair: share list, refused and accepted
# login, DHCP switch, static change, and the failures each has.
#   commands_test.sh LOCAVIST ADAPTER-SIM
set -u
locavist=$1 sim=$2
. "$(dirname "$0")/lan.sh"
lan_test_begin   # sets $work

start_adapter "$sim" "$work/store1.log" --name STORE1 --ip 192.0.2.10 --mac 00:50:C2:00:00:0A \
  --password s3cret --shares public:music::video --late-search-replies 2 --foreign-replies 1 \
  --stray-address-replies 1 || exit 1
start_adapter "$sim" "$work/store2.log" --name STORE2 --ip 192.0.2.11 --mac 00:50:C2:00:00:0B \
  --dhcp-address 192.0.2.111 || exit 1
start_adapter "$sim" "$work/store3.log" --name STORE3 --ip 192.0.2.12 --mac 00:50:C2:00:00:0C \
  --silent shares --static-answers-old || exit 1

run() { in_client "$locavist" "$@" </dev/null 2>"$work/stderr"; }
# The last request an adapter logged, without its time and ClientId.
last_request() { tail -1 "$1" | cut -d' ' -f2- | sed -E 's/^(..)(( ..){10})/\1 <client>/'; }

# Share list.
out=$(run shares 192.0.2.10)
expect "shares exit status" 0 $?
expect "shares listed in order, repeats and empties skipped" "public music video" "$(echo $out)"
expect "share-list request" "03 <client> 00 50 C2 00 00 0A C0 00 02 0A 03 00 00 00 00 00 00" "$(last_request "$work/store1.log")"
json=$(run --json shares 192.0.2.10)
expect "shares --json" '"shares": ["public", "music", "video"]' "$(grep -o '"shares": \[[^]]*\]' <<<"$json")"

# Login: refused with the default empty password, accepted with the right one.
run login 192.0.2.10 >/dev/null
expect "refused login exit status" 4 $?
expect "refused login message" "locavist: the adapter at 192.0.2.10 refused the login of admin (or did not answer it)" "$(cat "$work/stderr")"
expect "default login request: admin, empty password" \
  "03 <client> 00 50 C2 00 00 0A C0 00 02 0A 04 00 00 07 00 00 00 61 64 6D 69 6E 55 AA" "$(last_request "$work/store1.log")"
run --password s3cret login 192.0.2.10 >/dev/null
expect "accepted login exit status" 0 $?
expect "login request with password" \
  "03 <client> 00 50 C2 00 00 0A C0 00 02 0A 04 00 00 0D 00 00 00 61 64 6D 69 6E 55 AA 73 33 63 72 65 74" \
  "$(last_request "$work/store1.log")"

# On a terminal, a refused empty password is asked for once, without echo.
# The answer is typed once the first login has been refused (TCSAFLUSH
# would drop what came earlier).
logins_before=$(awk 'NF == 36' "$work/store1.log" | wc -l)
(
  for _ in $(seq 100); do
    [ "$(awk 'NF == 36' "$work/store1.log" | wc -l)" -gt "$logins_before" ] && break
    sleep 0.05
  done
  sleep 0.3
  printf 's3cret\r'
) | in_client script -qec "$locavist login 192.0.2.10" /dev/null >"$work/tty" 2>&1
expect "login asked on a terminal exit status" 0 $?
expect "the prompt, no echo, then success" "Password for admin at 192.0.2.10: | login to 192.0.2.10 accepted" \
  "$(tr -d '\r' <"$work/tty" | sed 's/ *$//' | grep -v '^$' | paste -sd'|' | sed 's/|/ | /')"
expect "second login carries the typed password" \
  "03 <client> 00 50 C2 00 00 0A C0 00 02 0A 04 00 00 0D 00 00 00 61 64 6D 69 6E 55 AA 73 33 63 72 65 74" \
  "$(last_request "$work/store1.log")"

# The gateway check comes before anything is sent.
before=$(wc -l <"$work/store1.log")
run --password s3cret static 192.0.2.10 192.0.2.50 255.255.255.0 198.51.100.1 >/dev/null
expect "gateway outside the subnet exit status" 2 $?
expect "nothing sent for a bad gateway" "$before" "$(wc -l <"$work/store1.log")"

# Static change, then the adapter answers the next sweep at its new address.
out=$(run --password s3cret static 192.0.2.10 192.0.2.50 255.255.255.0 192.0.2.1)
expect "static exit status" 0 $?
expect "static message" "the adapter at 192.0.2.10 now has the static address 192.0.2.50, netmask 255.255.255.0, gateway 192.0.2.1" "$out"
expect "static request" \
  "05 <client> 00 50 C2 00 00 0A C0 00 02 0A 01 00 00 32 35 35 2E 32 35 35 2E 32 35 35 2E 30 00 00 00 31 39 32 2E 30 2E 32 2E 31 00 00 00 00 00 00 00 0A 00 00 00 31 39 32 2E 30 2E 32 2E 35 30" \
  "$(last_request "$work/store1.log")"

# DHCP switch: the adapter moves to the address it reports.
out=$(run dhcp 192.0.2.11)
expect "dhcp exit status" 0 $?
expect "dhcp message" "the adapter at 192.0.2.11 switched to DHCP; it now has the address 192.0.2.111" "$out"
expect "dhcp request" "05 <client> 00 50 C2 00 00 0B C0 00 02 0B 02 $(printf '00 %.0s' $(seq 34))00 00 00 00" \
  "$(last_request "$work/store2.log")"

out=$(run search)
expect "sweep after the changes" \
  "$(printf 'STORE1\t192.0.2.50\t255.255.255.0\t192.0.2.1\tstatic\nSTORE2\t192.0.2.111\t255.255.255.0\t192.0.2.1\tdhcp\nSTORE3\t192.0.2.12\t255.255.255.0\t192.0.2.1\tstatic')" \
  "$(cut -f1-5 <<<"$out" | sort)"

# Failures, each with its own exit status.
run shares 192.0.2.99 >/dev/null
expect "missing adapter exit status" 1 $?

t=$(now_ms); run search >/dev/null; sweep_ms=$(( $(now_ms) - t ))
t=$(now_ms); run shares 192.0.2.12 >/dev/null; status=$?; shares_ms=$(( $(now_ms) - t ))
expect "unanswered share list exit status" 5 $status
t=$(now_ms); run static 192.0.2.12 192.0.2.60 255.255.255.0 192.0.2.1 >/dev/null; status=$?; static_ms=$(( $(now_ms) - t ))
expect "unconfirmed static change exit status" 5 $status
expect "unconfirmed static change message" "locavist: the adapter at 192.0.2.12 did not confirm the change to 192.0.2.60" "$(cat "$work/stderr")"

echo "measured: sweep $sweep_ms ms; share list given up after $((shares_ms - sweep_ms)) ms; static change given up after $((static_ms - sweep_ms)) ms (each past its sweep; the static one after a login)"
expect "share-list give-up about 1.1 s" yes "$([ $((shares_ms - sweep_ms)) -ge 1000 ] && [ $((shares_ms - sweep_ms)) -lt 2500 ] && echo yes || echo no)"
expect "set give-up about 11 s" yes "$([ $((static_ms - sweep_ms)) -ge 10500 ] && [ $((static_ms - sweep_ms)) -lt 14000 ] && echo yes || echo no)"

lan_summary
