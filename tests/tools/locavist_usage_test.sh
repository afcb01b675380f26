#!/bin/bash
# locavist's usage errors: each exits 2 before the network is touched.
locavist=$1
fail=0
check() {
  local want=$1; shift
  "$locavist" "$@" >/dev/null 2>/tmp/locavist_usage.$$
  local got=$?
  if [ "$got" != "$want" ]; then
    echo "locavist $*: expected exit $want, got $got"; cat /tmp/locavist_usage.$$; fail=1
  fi
}
check 2
check 2 bogus
check 2 search extra
check 2 --frobnicate search
check 2 shares
check 2 shares 192.0.2.10 extra
check 2 shares 192.0.2.300
check 2 dhcp not-an-address
check 2 static 192.0.2.10 192.0.2.50 255.255.255.0
check 2 static 192.0.2.10 192.0.2.50 255.255.255.0 192.0.3.1
check 2 --user abcdefghijklmnopq login 192.0.2.10
check 2 --password
check 0 --help
# Outside a private namespace it refuses to multicast.
[ -z "${LOCAVIST_ALLOW_LAN:-}" ] && ! ip netns identify 2>/dev/null | grep -q . && check 3 search
rm -f /tmp/locavist_usage.$$
grep -q 'usage: locavist' <("$locavist" 2>&1) || { echo "no usage text on stderr"; fail=1; }
exit $fail
