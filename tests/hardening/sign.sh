#!/usr/bin/env bash
# Signs an installer with a throwaway self-signed certificate and verifies
# the signature: sign.sh <installer> <signed-output> <work-folder>
set -euo pipefail
in=$1 out=$2 work=$3
rm -rf "$work" "$out"
mkdir -p "$work" "$(dirname "$out")"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Throwaway test signer" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -h sha256 \
  -n "Pultix setup" -in "$in" -out "$out" >/dev/null
osslsigncode verify -CAfile "$work/cert.pem" -in "$out" | grep -q 'Signature verification: ok'
cmp -s "$in" "$out" && { echo "signing left the file unchanged"; exit 1; }
echo "signed and verified: $out"
