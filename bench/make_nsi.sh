#!/usr/bin/env bash
# Writes an NSIS script installing the files of PAYLOAD/file.lst into one
# folder, with NSIS's default 32-bit stub, like ours. COMPRESS: off
# (SetCompress off) or default.
# With INSTDIR and LICENCE it is the like-for-like installer: a licence page,
# a directory page keeping INSTDIR, the install page, and the same two renames
# as ours after the files (the last one marks "all files written").
#   make_nsi.sh PAYLOAD OUT.exe off|default [INSTDIR LICENCE] > script.nsi
set -euo pipefail
payload=$1 out=$2 compress=$3 instdir=${4:-'C:\bench-nsis'} licence=${5:-}
cat <<NSI
Unicode true
Name "Bench"
OutFile "$out"
InstallDir "$instdir"
RequestExecutionLevel user
NSI
[ "$compress" = off ] && echo "SetCompress off"
if [ -n "$licence" ]; then
  echo "LicenseData \"$licence\""
  echo "Page license"
fi
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
if [ -n "$licence" ]; then
  echo 'Rename "$INSTDIR\pultix.hu" "$INSTDIR\pultix.dll"'
  echo 'Rename "$INSTDIR\Logbix.HU" "$INSTDIR\Logbix.dll"'
fi
echo "SectionEnd"
