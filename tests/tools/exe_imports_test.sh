#!/bin/bash
# TarvikLocavist.exe is a 32-bit GUI program that imports system DLLs only.
#   exe_imports_test.sh OBJDUMP EXE
objdump=$1 exe=$2
fail=0
headers=$("$objdump" -p "$exe")
grep -q 'file format pei-i386' <<<"$headers" || { echo "not a 32-bit PE file"; fail=1; }
grep -Eq '^Subsystem\s+0+2\b' <<<"$headers" || { echo "not a GUI program:"; grep Subsystem <<<"$headers"; fail=1; }
dlls=$(awk '/DLL Name:/ {print toupper($3)}' <<<"$headers" | sort)
echo "imports:" $dlls
for dll in $dlls; do
  case $dll in
    KERNEL32.DLL|USER32.DLL|GDI32.DLL|COMCTL32.DLL|WSOCK32.DLL|MPR.DLL|MSVCRT.DLL|ADVAPI32.DLL|SHELL32.DLL) ;;
    *) echo "imports $dll, which is not a system DLL"; fail=1 ;;
  esac
done
echo "size: $(stat -c %s "$exe") bytes"
[ $fail = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $fail
