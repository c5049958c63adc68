#!/usr/bin/env bash
# Writes an NSIS script installing the files of PAYLOAD/file.lst into one
# folder, 64-bit like ours. COMPRESS: off (SetCompress off) or default.
#   make_nsi.sh PAYLOAD OUT.exe off|default > script.nsi
set -euo pipefail
payload=$1 out=$2 compress=$3
cat <<NSI
Unicode true
Target amd64-unicode
Name "Bench"
OutFile "$out"
InstallDir "C:\\bench-nsis"
RequestExecutionLevel user
NSI
[ "$compress" = off ] && echo "SetCompress off"
cat <<'NSI'
Page directory
Page instfiles
Section
SetOutPath "$INSTDIR"
NSI
# All lines but the last (the version); names may use \ for sub-folders.
prev=.
sed -e 's/\r$//' "$payload/file.lst" | sed '$d' | while IFS= read -r name; do
  [ -n "$name" ] || continue
  path=${name//\\//}
  dir=$(dirname "$path")
  if [ "$dir" != "$prev" ]; then
    if [ "$dir" = . ]; then echo 'SetOutPath "$INSTDIR"'
    else echo "SetOutPath \"\$INSTDIR\\${dir//\//\\}\""; fi
    prev=$dir
  fi
  echo "File \"$payload/$path\""
done
echo "SectionEnd"
