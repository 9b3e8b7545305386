#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
cd "$root"
cmake --preset dev >/dev/null
cmake --build --preset dev --target vuka-manager
exec "$root/build/src/ui/vuka-manager" "$@"
