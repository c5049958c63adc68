#!/usr/bin/env bash
# The installer imports only DLLs that Windows maps from its known-DLL list,
# never from the program's folder (any other import would be looked for
# beside the downloaded installer before WinMain runs), and is built
# hardened: 64-bit, GUI subsystem, relocatable at a high-entropy address, no
# executable data.
set -euo pipefail
exe=$1
dump=$(x86_64-w64-mingw32-objdump -p "$exe")
allowed=(kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll
         comdlg32.dll msvcrt.dll shlwapi.dll)
fail=0
dlls=$(awk '/DLL Name:/ {print tolower($3)}' <<<"$dump")
[ -n "$dlls" ] || { echo "no imports found in $exe"; exit 1; }
for d in $dlls; do
  if [[ " ${allowed[*]} " != *" $d "* ]]; then
    echo "imports a DLL that is not a known DLL of Windows: $d"
    fail=1
  fi
done
grep -q 'Magic[[:space:]]*020b' <<<"$dump" || { echo "not a 64-bit executable"; fail=1; }
grep -q 'Subsystem[[:space:]]*00000002' <<<"$dump" || { echo "not a GUI executable"; fail=1; }
flags=$((16#$(awk '/^DllCharacteristics/ {print $2}' <<<"$dump")))
for bit in 0x20:HIGH_ENTROPY_VA 0x40:DYNAMIC_BASE 0x100:NX_COMPAT; do
  (( flags & ${bit%%:*} )) || { echo "missing ${bit#*:}"; fail=1; }
done
[ $fail = 0 ] && echo "imports: $(echo $dlls)"
exit $fail
