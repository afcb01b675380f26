#!/bin/bash
# Runs a Windows program of the build under Wine: wine-run.sh PREFIX PROGRAM ARGS...
# The prefix is made on first use.  Wine writes CRLF line ends; they are
# turned into LF so that CTest's test discovery reads the names cleanly.
set -o pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  (
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
      wineboot -i >/dev/null 2>&1
      # Xvfb has no window manager.  Wine waits up to 2 s for one to
      # withdraw each managed window that is hidden; unmanaged windows
      # need no such wait.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      wineserver -w
    fi
  ) 9>"$prefix.lock"
fi
wine "$@" | tr -d '\r'
