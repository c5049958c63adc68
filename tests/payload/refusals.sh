#!/usr/bin/env bash
# The payload checker refuses a broken payload folder, naming the manifest
# line, and accepts a sound one: refusals.sh <payload_res tool> <scratch folder>
set -euo pipefail
tool=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
fail=0

# case <name> <expected message part or "ok"> <manifest lines...>
check() {
  local name=$1 expect=$2
  shift 2
  local dir=$work/$name
  mkdir -p "$dir/docs"
  printf 'a' >"$dir/a.txt"
  printf 'b' >"$dir/docs/b.txt"
  printf 'c' >"$dir/A.TXT"
  : >"$dir/file.lst"
  local line
  for line in "$@"; do printf '%s\r\n' "$line" >>"$dir/file.lst"; done
  local out rc=0
  out=$("$tool" "$dir" "$dir.res" "$dir.d" target 2>&1) || rc=$?
  if [ "$expect" = ok ]; then
    [ $rc = 0 ] || { echo "FAIL $name: refused: $out"; fail=1; return; }
  elif [ $rc = 0 ] || [[ "$out" != *"$expect"* ]]; then
    echo "FAIL $name: expected an error with '$expect', got rc=$rc: $out"
    fail=1
    return
  fi
  echo "ok   $name${out:+: $out}"
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
# A file of 65,536 lines plus the version is one line too many.
dir=$work/too-many
mkdir -p "$dir"
printf 'a' >"$dir/a.txt"
{ for _ in $(seq 1 65536); do printf 'a.txt\r\n'; done; printf '1.0\r\n'; } >"$dir/file.lst"
if out=$("$tool" "$dir" "$dir.res" "$dir.d" target 2>&1) || [[ "$out" != *"more than 65535 file lines"* ]]; then
  echo "FAIL too-many: $out"
  fail=1
else
  echo "ok   too-many: $out"
fi
rm -rf "$work"
exit $fail
