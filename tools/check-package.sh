#!/usr/bin/env bash
# Builds the Debian package from the plain build folder (build/, the dev preset) and checks it as a
# user's machine would: lintian (no errors, no warnings that are not overridden),
# the metainfo and the desktop entry validators, and then the unpacked program
# itself: its --version, and, as an ordinary user (nobody when run as root), that
# it finds its read-only catalogue, that a Save with it works and that --check
# gives its exit statuses without a display. The Save is done
# in the real window on a virtual X server: Ctrl+S, the target path pasted into
# the file dialog (typed slashes would trip its completer), Enter.
# VUKA_SCREENSHOT=picture.png keeps the screen when that Save fails (needs ImageMagick).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
timeout_seconds=30

fail() {
  echo "check-package: $*" >&2
  exit 1
}

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT

echo "== Building the package"
(cd "$root" && cmake --preset dev -DVUKA_BUILD_UI=ON >/dev/null)
(cd "$root" && cmake --build --preset dev --target vuka-manager)
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb="$(ls "$work"/package/vuka-manager_*.deb)"
dpkg-deb --field "$deb"
contents="$(dpkg-deb --contents "$deb")"
echo "$contents"

echo "== lintian"
lintian --fail-on error,warning --info "$deb"

echo "== The catalogue is root's and read-only for others"
echo "$contents" | grep -Eq '^-rw-r--r-- root/root .* \./usr/lib/vuka-manager/version\.ini$' ||
  fail "usr/lib/vuka-manager/version.ini is not -rw-r--r-- root/root"

echo "== Bash completion"
echo "$contents" | grep -Eq '^-rw-r--r-- root/root .* \./usr/share/bash-completion/completions/vuka-manager$' ||
  fail "usr/share/bash-completion/completions/vuka-manager is missing"

echo "== Unpacking"
unpacked="$work/root"
dpkg -x "$deb" "$unpacked"
chmod 755 "$work"
program="$unpacked/usr/bin/vuka-manager"
catalogue="$unpacked/usr/lib/vuka-manager/version.ini"

echo "== Validators"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$unpacked/usr/share/applications/vuka-manager.desktop"

echo "== --version, and an unknown option"
# No display and no platform: the options are answered before Qt's window system starts.
version="$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version)"
package_version="$(dpkg-deb --field "$deb" Version)"
[ "$version" = "vuka-manager ${package_version%-*}" ] || fail "--version printed '$version'"
echo "$version"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --no-such-option 2>"$work/refusal" || status=$?
[ "$status" -eq 2 ] && grep -q 'no-such-option' "$work/refusal" ||
  fail "an unknown option gave status $status and '$(cat "$work/refusal")'"

# The ordinary user: nobody when running as root, else whoever runs this. The
# unpacked tree then belongs to the runner, so its catalogue is made read-only.
scratch="$work/user"
mkdir -p "$scratch/home" "$scratch/runtime" "$scratch/out"
chmod 700 "$scratch/runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody "$scratch"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
else
  chmod a-w "$catalogue" "$(dirname "$catalogue")"
fi
catalogue_sum="$(sha256sum < "$catalogue")"
target="$scratch/out/vuka.ini"

wait_for() {  # command...: true once the command succeeds within the time limit
  for _ in $(seq $((timeout_seconds * 10))); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

echo "== Save as an ordinary user with the read-only catalogue"
Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"

"${as_user[@]}" env HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" LANG=C.UTF-8 \
  QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
pids+=($!)
window="$(timeout "$timeout_seconds" xdotool search --sync --onlyvisible --name 'vuka\.ini manager' | head -n 1)" ||
  fail "the main window did not appear: $(cat "$work/program.log")"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+s
dialog_has_focus() { [ "$(xdotool getwindowfocus)" != "$window" ]; }
wait_for dialog_has_focus || fail "Ctrl+S opened no file dialog"
printf '%s' "$target" | xclip -selection clipboard -loops 1 -quiet >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
xdotool key --clearmodifiers ctrl+a ctrl+v Return
wait_for test -s "$target" || { [ -z "${VUKA_SCREENSHOT:-}" ] || import -window root "$VUKA_SCREENSHOT"; false; } ||
  fail "nothing was saved; windows: $(xdotool search --onlyvisible --name . getwindowname %@ | tr '\n' '|')" \
    "program output: $(cat "$work/program.log")"

# The ticked language "Русский" is written as its code in the catalogue.
code="$(iconv -f CP1251 -t UTF-8 "$catalogue" | tr -d '\r' | sed -n 's/^Русский=//p')"
[ -n "$code" ] || fail "the catalogue has no Русский"
tr -d '\r' < "$target" | awk -v code="$code" '
  /^\[/ { config = ($0 == "[Config]") }
  config && /^Languages=/ { split(substr($0, 11), codes, ","); for (i in codes) if (codes[i] == code) found = 1 }
  END { exit !found }' || fail "Config/Languages of the saved file lacks $code: $(cat "$target")"
[ "$(sha256sum < "$catalogue")" = "$catalogue_sum" ] || fail "the catalogue was changed"
echo "saved $target with Languages holding $code; the catalogue is unchanged"

echo "== --check as an ordinary user, without a display"
check() {  # expected-status file: runs the check and compares its exit status
  local status=0
  "${as_user[@]}" env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=no-such-platform \
    "$program" --check "$2" 2>"$work/check.log" || status=$?
  [ "$status" -eq "$1" ] || fail "--check $2 gave status $status, not $1: $(cat "$work/check.log")"
  cat "$work/check.log"
}
check 0 "$target"
printf '[Config]\r\nLanguages=NO-SUCH-CODE\r\n' >"$scratch/out/bad.ini"
check 1 "$scratch/out/bad.ini"
grep -q "^$scratch/out/bad.ini:2: " "$work/check.log" || fail "--check named no line: $(cat "$work/check.log")"
check 2 "$scratch/out/missing.ini"

echo "== --set and --get as an ordinary user, without a display, in the C locale"
run_plain() {
  "${as_user[@]}" env -u DISPLAY -u WAYLAND_DISPLAY -u LANG LC_ALL=C \
    QT_QPA_PLATFORM=no-such-platform "$program" "$@"
}
run_plain --set 'ProgramName=Установка 2.0' --quiet "$target" || fail "--set failed"
name="$(run_plain --get ProgramName "$target")" || fail "--get failed"
[ "$name" = "Установка 2.0" ] || fail "--get printed '$name'"
check 0 "$target"
echo "== The package is good"
