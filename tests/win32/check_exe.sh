#!/bin/sh
# tavri.exe is one file that runs on a bare Windows: a GUI program (no
# console window) whose imports are all Windows' own system DLLs.
#   check_exe.sh OBJDUMP TAVRI_EXE
set -eu
objdump="$1"
exe="$2"
headers="$("$objdump" -p "$exe")"
status=0
echo "$headers" | grep -q '^Subsystem[[:space:]]*00000002[[:space:]]*(Windows GUI)' || {
  echo "not a Windows GUI program:"; echo "$headers" | grep '^Subsystem'; status=1; }
allowed=' advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll '
for dll in $(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
  echo "imports $dll"
  case "$allowed" in
    *" $dll "*) ;;
    *) echo "  not one of Windows' own DLLs"; status=1 ;;
  esac
done
exit $status
