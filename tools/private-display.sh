# Sourced by the benchmark scripts: starts Xvfb on a free display of its own
# choosing (it writes the number to a descriptor), in a private scratch folder
# $scratch, and exports DISPLAY, XDG_RUNTIME_DIR and QT_QPA_PLATFORM=xcb for
# the programs started afterwards. On exit Xvfb stops and $scratch goes.
scratch="$(mktemp -d)"
chmod 700 "$scratch"
display_file="$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$display_file")" XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=xcb
