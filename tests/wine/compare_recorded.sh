#!/bin/sh
# Reads the corpus through the model and compares with what the Windows
# profile functions read from it under Wine, as recorded in corpus.wine-dump.txt
# (regenerate that file with profile_dump.exe when the corpus changes).
# Usage: compare_recorded.sh MODEL_DUMP
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here/corpus"
# shellcheck disable=SC2046
"$1" $(ls ./*.ini | sed 's|^\./||') | diff -u "$here/corpus.wine-dump.txt" - || {
  echo "the model reads the corpus differently from the recorded profile functions (- Wine, + model)"
  exit 1
}
