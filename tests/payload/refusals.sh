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
# refused <name> <expected message part>: for folders made by hand below.
refused() {
  local dir=$work/$1 out
  if out=$("$tool" "$dir" "$dir.res" "$dir.d" target 2>&1) || [[ "$out" != *"$2"* ]]; then
    echo "FAIL $1: expected an error with '$2', got: $out"
    fail=1
  else
    echo "ok   $1: $out"
  fi
  rm -rf "$dir"
}

# A file of 65,536 lines plus the version is one line too many.
dir=$work/too-many
mkdir -p "$dir"
printf 'a' >"$dir/a.txt"
{ for _ in $(seq 1 65536); do printf 'a.txt\r\n'; done; printf '1.0\r\n'; } >"$dir/file.lst"
refused too-many 'more than 65535 file lines'

# Sizes beyond the tested limits, as sparse files that take no disk space:
# one file above 2 GiB, and files that together pass 2 GiB and 64 MiB.
dir=$work/too-big
mkdir -p "$dir"
truncate -s $(((1 << 31) + 1)) "$dir/big.bin"
printf 'a.txt\r\nbig.bin\r\n1.0\r\n' >"$dir/file.lst"
printf 'a' >"$dir/a.txt"
refused too-big 'file.lst line 2: "big.bin" is 2147483649 bytes, more than the 2 GiB'
dir=$work/too-much
mkdir -p "$dir"
truncate -s $((1 << 31)) "$dir/one.bin"
truncate -s $((1 << 26)) "$dir/two.bin"
printf 'one.bin\r\ntwo.bin\r\n1.0\r\n' >"$dir/file.lst"
refused too-much 'file.lst line 2: "two.bin" brings the payload to'
rm -rf "$work"
exit $fail
