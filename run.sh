#!/bin/bash
# Sets up a Debian machine if needed, builds TarvikLocavist.exe and runs it
# under Wine against two simulated adapters on a private LAN of network
# namespaces, so that nothing leaves this machine.  Needs root (for the
# namespaces).
#
#   ./run.sh                     on $DISPLAY if there is one, until the window is closed;
#                                with no display, under Xvfb, writing a screenshot
#   ./run.sh --screenshot FILE   under Xvfb: start, wait for the window, write FILE, quit
set -euo pipefail
cd "$(dirname "$0")"
shot=""
if [ "${1:-}" = --screenshot ]; then shot=${2:?--screenshot needs a file}; fi
[ "$(id -u)" = 0 ] || { echo "run.sh needs root to make its private network namespaces" >&2; exit 2; }
tools/setup-debian.sh

cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/run adapter-sim >/dev/null
cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/win32 TarvikLocavist >/dev/null
sim=$PWD/build/run/tools/adapter-sim
exe=$PWD/build/win32/app/TarvikLocavist.exe
echo "program: $exe"

. tests/netns/lan.sh
work=$(mktemp -d)
# The wineserver makes the program's sockets, so it must run inside the
# client namespace: a prefix of the run's own, whose server starts there.
export WINEPREFIX=$PWD/build/run/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup() {
  in_client wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  lan_down
  rm -rf "$work"
}
lan_up
trap cleanup EXIT

start_demo_adapters "$sim" "$work"

if [ -z "${DISPLAY:-}" ] || [ -n "$shot" ]; then
  [ -n "$shot" ] || shot=$PWD/build/run/screenshot.png
  display=:$((90 + $$ % 100))
  Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  in_client wineboot -i >/dev/null 2>&1
  # Without a window manager (Xvfb) nothing would draw the caption and
  # frame; undecorated, Wine draws them itself.
  in_client wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  in_client wineserver -w
fi

started=$(date +%s%N)
in_client wine "$exe" &
program=$!
if [ -n "$shot" ]; then
  for _ in $(seq 300); do
    # shown, not merely created: the dialog exists, hidden, during the first sweep
    xwininfo -name "Tarvik Locavist" 2>/dev/null | grep -q 'Map State: IsViewable' && break
    sleep 0.1
  done
  echo "window shown $(( ($(date +%s%N) - started) / 1000000 )) ms after start (Wine start-up and the first sweep included)"
  sleep 2   # let it paint
  import -window root "$work/screen.png"
  convert "$work/screen.png" -trim +repage "$shot"   # the window, without the empty screen around it
  echo "screenshot: $shot"
  in_client wineserver -k 2>/dev/null || true
  wait "$program" 2>/dev/null || true
else
  wait "$program" || true
fi
