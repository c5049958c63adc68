#!/usr/bin/env bash
# The installer imports only DLLs that Windows maps from its known-DLL list,
# never from the program's folder (any other import would be looked for
# beside the downloaded installer before WinMain runs), and is built
# hardened: GUI subsystem, relocatable, no executable data; a 64-bit build at a
# high-entropy address, a 32-bit one large-address-aware.
#   imports.sh EXE 32|64
set -euo pipefail
exe=$1 bits=$2
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
grep -q 'Subsystem[[:space:]]*00000002' <<<"$dump" || { echo "not a GUI executable"; fail=1; }
flags=$((16#$(awk '/^DllCharacteristics/ {print $2}' <<<"$dump")))
want=(0x40:DYNAMIC_BASE 0x100:NX_COMPAT)
if [ "$bits" = 64 ]; then
  grep -q 'Magic[[:space:]]*020b' <<<"$dump" || { echo "not a 64-bit executable"; fail=1; }
  want+=(0x20:HIGH_ENTROPY_VA)
else
  grep -q 'Magic[[:space:]]*010b' <<<"$dump" || { echo "not a 32-bit executable"; fail=1; }
  characteristics=$((16#$(awk '/^Characteristics/ {print $2; exit}' <<<"$dump")))
  (( characteristics & 0x20 )) || { echo "missing LARGE_ADDRESS_AWARE"; fail=1; }
fi
for bit in "${want[@]}"; do
  (( flags & ${bit%%:*} )) || { echo "missing ${bit#*:}"; fail=1; }
done
[ $fail = 0 ] && echo "imports: $(echo $dlls)"
exit $fail
