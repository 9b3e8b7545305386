#!/bin/sh
# Reads every *.ini file of the given folders through the Windows profile
# functions under Wine and through the model, and fails when they differ.
# Usage: compare.sh WINE64 PROFILE_DUMP_EXE MODEL_DUMP PREFIX_DIR FOLDER...
set -eu
wine64="$1" dump_exe="$2" model_dump="$3" prefix="$4"
shift 4
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winedbg.exe=d" LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
status=0
for folder in "$@"; do
  cd "$folder"
  files=$(ls ./*.ini | sed 's|^\./||')
  [ -n "$files" ] || { echo "no files in $folder"; exit 1; }
  # shellcheck disable=SC2086
  "$wine64" "$dump_exe" $files | tr -d '\r' >"$scratch/wine.out"
  # shellcheck disable=SC2086
  "$model_dump" $files >"$scratch/model.out"
  if ! diff -u "$scratch/wine.out" "$scratch/model.out"; then
    echo "the model reads the files of $folder differently from the profile functions (- Wine, + model)"
    status=1
  fi
done
exit $status
