#!/usr/bin/env bash
# Tests the packed Windows build under Wine, beyond the engine and model suites that
# ctest --preset windows runs (cmake --workflow --preset windows, or
# tools/build-windows.sh, builds, tests and packs it first):
#   files saved by the Windows engine read back through the Windows profile functions;
#   the program from the zip on a virtual X server (its window and caption for a FILE
#   argument, a Save read back through the profile functions, --check's exit statuses,
#   --set and --get with a Cyrillic file name and value);
#   the installer's silent install and uninstall.
# Prints each step's time. VUKA_WINDOWS_STEPS chooses steps (default
# "readback window check installer").
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$root/build-windows"
build="$out/build"
version="$(sed -n 's/^project(vuka_manager VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
# The tests' helper programs find the run-time DLLs through wine-run.sh; the packed
# program and the installer run bare, on what they bring along.
wine="$root/tools/windows/wine-run.sh"
wine64="$(command -v wine64 || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"

step() {
  local name="$1" start=$SECONDS
  shift
  echo "== Windows: $name"
  "$@"
  echo "   $name: $((SECONDS - start)) s"
}
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# xdotool matches window names as text of the locale: under plain C the caption's
# dash never matches, so the window checks need a UTF-8 locale whatever CI sets.
export LC_ALL=C.UTF-8
export WINEPREFIX="$out/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winedbg.exe=d"
work="$(mktemp -d)"
xvfb=""
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

make_prefix() {
  x86_64-w64-mingw32-gcc -O1 -Wall -o "$work/profile_dump.exe" "$root/tests/wine/profile_dump.c"
  "$wine" cmd /c exit  # makes the prefix when there is none
  "$wineserver" -w
}

# Saves made by the Windows engine, read back through the profile functions and
# compared with the model of them.
read_back() {
  cat >"$work/model_dump" <<MODEL
#!/bin/sh
"$wine" "$build/tests/wine/profile_model_dump.exe" "\$@" | tr -d '\r'
MODEL
  chmod +x "$work/model_dump"
  "$wine" "$build/tests/wine/save_readback.exe" \
    "$root/tests/wine/corpus" "$work/saved" | tr -d '\r' | tail -n 2
  [ "${PIPESTATUS[0]}" -eq 0 ] || fail "save_readback under Wine"
  "$root/tests/wine/compare.sh" "$wine" "$work/profile_dump.exe" "$work/model_dump" \
    "$WINEPREFIX" "$work/saved" || fail "the profile functions read the saved files otherwise"
}

start_display() {
  Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
}

# The program as the zip holds it, on a file named vuka.ini.
unpack() {
  [ -d "$work/zip" ] || unzip -q "$out/vuka-manager-$version-win64.zip" -d "$work/zip"
  mkdir -p "$work/files"
}

smoke_test() {
  unpack
  local program="$work/zip/vuka-manager-$version-win64/vuka-manager.exe"
  mkdir -p "$work/files"
  printf '[Display]\r\nShowMainWindow=1\r\n[Variables]\r\nProduct=Demo1\r\nProgramName=\xC4\xE5\xEC\xEE\r\n' \
    >"$work/files/vuka.ini"
  start_display
  (cd "$work/files" && "$wine64" "$program" vuka.ini >"$work/program.log" 2>&1) &
  local caption='^vuka\.ini — Visual vuka\.ini manager \[ROVEL\] 1\.0$' window
  window="$(timeout 120 xdotool search --sync --onlyvisible --name "$caption" | head -n 1)" ||
    fail "no window captioned 'vuka.ini — Visual vuka.ini manager [ROVEL] 1.0'; windows:" \
      "$(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')"
  echo "   window $window: $(xdotool getwindowname "$window")"
  save_through_the_window "$window"
  xdotool windowclose "$window" 2>/dev/null || true
  "$wineserver" -k || true
}

# Ctrl+Shift+S ("Save as", which always asks; Ctrl+S saves into the opened
# file), a new file name typed into the save dialog, Return: the profile
# functions must read the opened file's variables from the new file.
save_through_the_window() {
  local window="$1" saved="$work/files/saved.ini"
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers ctrl+shift+s
  for _ in $(seq 100); do [ "$(xdotool getwindowfocus)" != "$window" ] && break; sleep 0.1; done
  sleep 1
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 'saved.ini'
  xdotool key --clearmodifiers Return
  for _ in $(seq 100); do [ -s "$saved" ] && break; sleep 0.1; done
  [ -s "$saved" ] || fail "nothing was saved; windows:" \
    "$(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')"
  (cd "$work/files" && "$wine64" "$work/profile_dump.exe" saved.ini) | tr -d '\r' >"$work/saved.dump"
  grep -qx 'V Demo1' "$work/saved.dump" && grep -qix 'V \\xC4\\xE5\\xEC\\xEE' "$work/saved.dump" ||
    fail "the profile functions do not read the shown variables back: $(cat "$work/saved.dump")"
  echo "   saved through the window, read back through the profile functions"
}

check_statuses() {
  unpack
  local program="$work/zip/vuka-manager-$version-win64/vuka-manager.exe" status
  printf '[Display]\r\nShowMainWindow=1\r\n' >"$work/files/clean.ini"
  printf '[Display]\r\nShowMainWindow=maybe\r\n' >"$work/files/problems.ini"
  for expected in "clean.ini 0" "problems.ini 1" "missing.ini 2"; do
    set -- $expected
    status=0
    (cd "$work/files" && "$wine64" "$program" --check "$1" >/dev/null 2>&1) || status=$?
    [ "$status" -eq "$2" ] || fail "--check $1 exited with $status, not $2"
  done
  echo "   --check: 0 for a clean file, 1 for problems, 2 for a missing file"

  # The UTF-16 command line reaches the model as Windows-1251 and comes back as UTF-8.
  local value="Установка 2.0" file="настройки.ini" got
  (cd "$work/files" && "$wine64" "$program" --set "ProgramName=$value" --quiet "$file" >/dev/null 2>&1) ||
    fail "--set into a new $file exited with $?"
  got="$(cd "$work/files" && "$wine64" "$program" --get ProgramName "$file" 2>/dev/null | tr -d '\r')"
  [ "$got" = "$value" ] || fail "--get printed '$got', not '$value'"
  got="$(iconv -f CP1251 -t UTF-8 "$work/files/$file" | tr -d '\r' | sed -n 's/^ProgramName=//p')"
  [ "$got" = "$value" ] || fail "$file holds ProgramName '$got', not '$value' in Windows-1251"
  echo "   --set and --get: a Cyrillic file name and value"
}

installer() {
  local setup="$out/vuka-manager-$version-setup.exe" drive="$WINEPREFIX/drive_c"
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\vuka-manager'
  local menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Visual vuka.ini manager"
  local target
  for target in "Program Files/vuka-manager" "Tools/vuka"; do
    if [ "$target" = "Program Files/vuka-manager" ]; then
      "$wine64" "$setup" /S
    else
      mkdir -p "$drive/Tools/vuka" && echo keep >"$drive/Tools/vuka/own.txt"
      "$wine64" "$setup" /S '/D=C:\Tools\vuka'
    fi
    "$wineserver" -w
    for f in vuka-manager.exe version.ini Qt6Widgets.dll platforms/qwindows.dll uninstall.exe; do
      [ -f "$drive/$target/$f" ] || fail "the installer did not put $f into C:\\$target"
    done
    [ -f "$menu/Visual vuka.ini manager.lnk" ] || fail "no Start-menu entry"
    "$wine64" reg query "$key" /v UninstallString >/dev/null 2>&1 || fail "no Programs and Features entry"
    "$wine64" "$drive/$target/uninstall.exe" /S
    "$wineserver" -w
    [ ! -e "$drive/$target/vuka-manager.exe" ] && [ ! -e "$menu" ] || fail "the uninstaller left files"
    ! "$wine64" reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left its registry entry"
    echo "   installed into and uninstalled from C:\\$target"
  done
  [ -f "$drive/Tools/vuka/own.txt" ] || fail "the uninstaller removed a file it did not install"
}

steps="${VUKA_WINDOWS_STEPS:-readback window check installer}"
step "Wine prefix" make_prefix
for name in $steps; do
  case "$name" in
    readback) step "saved files read back through the profile functions" read_back ;;
    window) step "the program's window and a Save" smoke_test ;;
    check) step "--check exit statuses" check_statuses ;;
    installer) step "installer" installer ;;
    *) fail "unknown step $name" ;;
  esac
done
