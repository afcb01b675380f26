#!/bin/bash
# Sets up a Debian machine if needed, builds both builds and runs every test:
#   - native Linux (gcc, ASan and UBSan): protocol tests, locavist, and the
#     real-multicast tests in private network namespaces (these need root);
#   - Windows i686 (mingw-w64), run under Wine: the same protocol tests on the
#     real WinSock, and the program's dialogs with the real common controls.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup-debian.sh
jobs=$(nproc)

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLOCAVIST_SANITIZE=ON >/dev/null
ninja -C build/native
cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/win32

status=0
echo "== native tests"
(cd build/native && ctest -j"$jobs" --output-on-failure) || status=1
echo "== Windows tests under Wine (in an Xvfb display)"
(cd build/win32 && xvfb-run -a -s "-screen 0 1024x768x24" ctest -j"$jobs" --output-on-failure) || status=1
exit $status
