#!/usr/bin/env bash
# The payload checker refuses a broken payload folder, naming the manifest
# line, and accepts a sound one: refusals.sh <payload_res tool> <scratch folder>
set -euo pipefail
tool=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
fail=0

# run <name> <expected message part or "ok">: runs the checker on $work/<name>
# and removes that folder
run() {
  local name=$1 expect=$2 dir=$work/$1
  local out rc=0
  out=$("$tool" "$dir" "$dir.res" "$dir.d" target 2>&1) || rc=$?
  rm -rf "$dir"
  if [ "$expect" = ok ]; then
    [ $rc = 0 ] || { echo "FAIL $name: refused: ${out:0:300}"; fail=1; return; }
  elif [ $rc = 0 ] || [[ "$out" != *"$expect"* ]]; then
    echo "FAIL $name: expected an error with '${expect:0:300}', got rc=$rc: ${out:0:300}"
    fail=1
    return
  fi
  # An over-long name would fill the log.
  echo "ok   $name${out:+: ${out:0:300}}"
}

# check <name> <expected message part or "ok"> <manifest lines...>
# check <name> <expected message part> --bytes <printf format of the whole manifest>
# runs the checker on a payload folder with a few files and that manifest.
check() {
  local name=$1 expect=$2 dir=$work/$1
  shift 2
  mkdir -p "$dir/docs"
  printf 'a' >"$dir/a.txt"
  printf 'b' >"$dir/docs/b.txt"
  printf 'c' >"$dir/A.TXT"
  if [ "${1:-}" = --bytes ]; then
    printf "$2" >"$dir/file.lst"
  else
    : >"$dir/file.lst"
    local line
    for line in "$@"; do printf '%s\r\n' "$line" >>"$dir/file.lst"; done
  fi
  run "$name" "$expect"
}

check sound ok 'a.txt' 'docs\b.txt' 'file.lst' 'a.txt' '1.0'
check missing 'file.lst line 2: "nothere.txt" is not a file' 'a.txt' 'nothere.txt' '1.0'
check climbs 'file.lst line 1: "..\a.txt" would be written outside' '..\a.txt' '1.0'
check absolute 'file.lst line 1: "\a.txt" would be written outside' '\a.txt' '1.0'
check drive 'file.lst line 2: "C:a.txt" would be written outside' 'a.txt' 'C:a.txt' '1.0'
check stream 'file.lst line 1: "a.txt:x" would be written outside' 'a.txt:x' '1.0'
check empty-line 'file.lst line 2: "" is empty' 'a.txt' '' 'a.txt' '1.0'
check collision 'file.lst line 2: "a-txt" gives the resource name A_TXT, as a.txt does' 'a.txt' 'a-txt' '1.0'
check no-version 'no lines'
check stray-last-line 'file.lst line 3: "" is the version line but empty' 'a.txt' '1.0' ''
check blank-version 'file.lst line 2: "   " is the version line but empty or blank' 'a.txt' '   '
check tab-version 'file.lst line 2: "'$'\t\t''" is the version line but empty or blank' 'a.txt' $'\t\t'
check version-missing 'file.lst line 2: "docs\b.txt" is the version line but names a file of the payload folder' \
  'a.txt' 'docs\b.txt'
check bom 'file.lst line 1: begins with a byte-order mark' --bytes '\xef\xbb\xbfa.txt\r\n1.0\r\n'
check utf16 'file.lst line 1: has a NUL byte' --bytes 'a\x00.\x00t\x00x\x00t\x00\r\x00\n\x001\x00.\x000\x00\r\x00\n\x00'
check utf16-bom 'file.lst line 1: begins with a byte-order mark' --bytes '\xff\xfea\x00\r\x00\n\x001\x00\r\x00\n\x00'
check device 'file.lst line 2: "nul.txt" names a device' 'a.txt' 'nul.txt' '1.0'
check device-bare 'file.lst line 1: "CON" names a device' 'CON' '1.0'
check device-folder 'file.lst line 1: "docs\Com1.txt\b.txt" names a device' 'docs\Com1.txt\b.txt' '1.0'
check device-dots 'file.lst line 1: "conin$ . ." names a device' 'conin$ . .' '1.0'
check slash "file.lst line 1: \"docs/b.txt\" contains '/'" 'docs/b.txt' '1.0'
check forbidden 'file.lst line 1: "a*b.txt" has a character Windows forbids' 'a*b.txt' '1.0'
check control 'file.lst line 1: "a'$'\t''b" has a character outside printable ASCII' 'a'$'\t''b' '1.0'
check high-byte 'file.lst line 2: "caf'$'\xe9''.txt" has a character outside printable ASCII' 'a.txt' 'caf'$'\xe9''.txt' '1.0'
# FindResource reads a name that begins with '#' as a number: "#12" would be resource 12.
check leading-hash "file.lst line 1: \"#a.txt\" begins with '#', which Windows reads as a resource number" '#a.txt' '1.0'
long=$(head -c 65536 /dev/zero | tr '\0' n)
check long-name "file.lst line 2: \"$long\" is longer than 65535 characters" 'a.txt' "$long" '1.0'
check empty-part 'file.lst line 1: "docs\\b.txt" has an empty folder or file name' 'docs\\b.txt' '1.0'
check trailing-dot "file.lst line 2: \"a.txt.\" has a name part ending in '.' or ' '" 'a.txt' 'a.txt.' '1.0'
check trailing-blank "file.lst line 1: \"docs \\b.txt\" has a name part ending in '.' or ' '" 'docs \b.txt' '1.0'
check same-file 'file.lst line 2: "A.TXT" names the same file as line 1, a.txt' 'a.txt' 'A.TXT' '1.0'
check long-part 'has a name part longer than 255 characters' "$(printf 'f%.0s' $(seq 256))\\a.txt" '1.0'
check long-path 'is longer than 228 characters: it would not fit below c:\Program Files\Vorlen\KORVAN' \
  "docs\\$(printf 'n%.0s' $(seq 224))" '1.0'
check partial-name 'file.lst line 1: "a.txt.~setup" ends in .~setup' 'a.txt.~setup' '1.0'
# 65,535 file lines plus the version are the most; one more is too many.
for n in 65535 65536; do
  dir=$work/lines-$n
  mkdir -p "$dir"
  printf 'a' >"$dir/a.txt"
  { for _ in $(seq 1 $n); do printf 'a.txt\r\n'; done; printf '1.0\r\n'; } >"$dir/file.lst"
done
run lines-65535 ok
run lines-65536 'more than 65535 file lines'

# A file below the image limit of 1 GiB that passes it with the program's own
# share, as a sparse file that takes no disk space.
dir=$work/too-big
mkdir -p "$dir"
truncate -s $(((1 << 30) - (1 << 19))) "$dir/big.bin"
printf 'a.txt\r\nbig.bin\r\n1.0\r\n' >"$dir/file.lst"
printf 'a' >"$dir/a.txt"
run too-big "file.lst line 2: \"big.bin\" brings the installer's image to about"
rm -rf "$work"
exit $fail
