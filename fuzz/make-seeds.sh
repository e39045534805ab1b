#!/usr/bin/env bash
# Turns the hand-written .hex fixtures into binary seed files for the fuzzers.
# Usage: make-seeds.sh FIXTURE_DIR OUT_DIR
set -euo pipefail
src=$1
out=$2
mkdir -p "$out"
find "$src" -name '*.hex' | while read -r hex; do
  name=$(echo "${hex#"$src"/}" | tr '/' '_')
  perl -ne '
    s/#.*//;
    while (/"([^"]*)"|([0-9A-Fa-f]{2})/g) { print defined $1 ? $1 : chr(hex $2) }
  ' "$hex" >"$out/${name%.hex}.tr"
done
