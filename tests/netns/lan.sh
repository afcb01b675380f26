# A private two-host LAN for real-socket tests, to be sourced by a test.
#
#   lan_up       makes two network namespaces joined by a veth pair:
#                $LAN_CLIENT (192.0.2.1, where the program runs) and
#                $LAN_ADAPTERS (192.0.2.2, where simulated adapters run),
#                each with a route for 224.0.0.0/4 and a hosts file that maps
#                this machine's host name to the namespace's own address.
#   lan_down     stops what runs in them and removes everything; lan_up
#                arranges for it to run on exit, also on failure.
#   in_client CMD..., in_adapters CMD...   run a command in one of them.
#
# Nothing is ever sent outside the two namespaces.
LAN_ID=${LAN_ID:-lv$$}
LAN_CLIENT=$LAN_ID-c
LAN_ADAPTERS=$LAN_ID-a
LAN_CLIENT_IP=192.0.2.1
LAN_ADAPTERS_IP=192.0.2.2

lan_require_root() {
  if [ "$(id -u)" != 0 ] || ! command -v ip >/dev/null; then
    echo "SKIP: needs root and iproute2 to make network namespaces"
    exit 77
  fi
}

lan_down() {
  local ns pid
  for ns in "$LAN_CLIENT" "$LAN_ADAPTERS"; do
    for pid in $(ip netns pids "$ns" 2>/dev/null); do kill "$pid" 2>/dev/null; done
  done
  sleep 0.2
  for ns in "$LAN_CLIENT" "$LAN_ADAPTERS"; do
    for pid in $(ip netns pids "$ns" 2>/dev/null); do kill -9 "$pid" 2>/dev/null; done
    ip netns del "$ns" 2>/dev/null
    rm -rf "/etc/netns/$ns"
  done
}

lan_up() {
  trap lan_down EXIT
  local host
  host=$(hostname)
  ip netns add "$LAN_CLIENT"
  ip netns add "$LAN_ADAPTERS"
  ip link add "${LAN_ID}c0" type veth peer name "${LAN_ID}a0"
  ip link set "${LAN_ID}c0" netns "$LAN_CLIENT"
  ip link set "${LAN_ID}a0" netns "$LAN_ADAPTERS"
  ip -n "$LAN_CLIENT" addr add "$LAN_CLIENT_IP/24" dev "${LAN_ID}c0"
  ip -n "$LAN_ADAPTERS" addr add "$LAN_ADAPTERS_IP/24" dev "${LAN_ID}a0"
  local ns dev
  for ns in "$LAN_CLIENT:${LAN_ID}c0:$LAN_CLIENT_IP" "$LAN_ADAPTERS:${LAN_ID}a0:$LAN_ADAPTERS_IP"; do
    IFS=: read -r n dev addr <<<"$ns"
    ip -n "$n" link set lo up
    ip -n "$n" link set "$dev" up
    ip -n "$n" route add 224.0.0.0/4 dev "$dev"
    mkdir -p "/etc/netns/$n"
    printf '127.0.0.1\tlocalhost\n%s\t%s\n' "$addr" "$host" >"/etc/netns/$n/hosts"
  done
}

# For a test script: skip unless root, make the LAN and a work folder
# ($work), and remove both on exit.
lan_test_begin() {
  lan_require_root
  work=$(mktemp -d)
  lan_up
  trap 'lan_down; rm -rf "$work"' EXIT
}

in_client() { ip netns exec "$LAN_CLIENT" "$@"; }
in_adapters() { ip netns exec "$LAN_ADAPTERS" "$@"; }

# Starts an adapter-sim in the adapters' namespace; waits until it listens.
#   start_adapter SIM LOG ARGS...
start_adapter() {
  local sim=$1 log=$2
  shift 2
  in_adapters "$sim" --log "$log" "$@" 2>"$log.err" &
  local i
  for i in $(seq 50); do
    grep -q listening "$log.err" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "adapter-sim did not start:"; cat "$log.err"
  return 1
}

# The two adapters of the demo (run.sh, tools/lan-shell.sh):
#   start_demo_adapters SIM LOGDIR
start_demo_adapters() {
  local sim=$1 logs=$2
  start_adapter "$sim" "$logs/store1.log" --name STORE1 --ip 192.0.2.10 --mac 00:50:C2:00:00:0A \
    --netmask 255.255.255.0 --gateway 192.0.2.254 --password s3cret --shares public:music:video || return 1
  start_adapter "$sim" "$logs/store2.log" --name STORE2 --ip 192.0.2.11 --mac 00:50:C2:00:00:0B \
    --netmask 255.255.255.0 --gateway 192.0.2.254 --dhcp --shares backup || return 1
  echo "adapters: STORE1 at 192.0.2.10 (admin password s3cret), STORE2 at 192.0.2.11 (empty password)" >&2
}

# expect WHAT EXPECTED GOT: one check, printed either way.
LAN_FAILED=0
LAN_PASSED=0
expect() {
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %s\n  got:      %s\n' "$1" "$2" "$3"; LAN_FAILED=$((LAN_FAILED + 1))
  else
    printf 'ok   %s\n' "$1"; LAN_PASSED=$((LAN_PASSED + 1))
  fi
}

# Milliseconds on a monotonic-enough clock.
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# The closing line, and the exit status of the script.
lan_summary() {
  echo "$LAN_PASSED passed, $LAN_FAILED failed"
  [ "$LAN_FAILED" = 0 ]
}
