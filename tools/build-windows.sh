#!/usr/bin/env bash
# Cross-builds the editor for 64-bit Windows on Debian 12 with the windows preset
# (CMakePresets.json: configure, build, the engine and model suites under Wine, pack)
# and writes into build-windows/:
#   vuka-manager-1.0-win64.zip   a folder that runs as it is: the program, Qt's
#                                and the compiler's run-time DLLs, the Windows
#                                platform and style plug-ins, Qt's Russian
#                                translations and the catalogue version.ini
#   vuka-manager-1.0-setup.exe   an installer made with NSIS
# Installs what is missing first; Qt is cross-built once into a cache outside the
# clone (tools/windows/build-qt.sh, VUKA_CACHE_DIR) and handed to the preset as
# VUKA_WINDOWS_QT. tools/windows/test-windows.sh then tests the packed program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/windows/install-deps.sh"
VUKA_WINDOWS_QT="$("$root/tools/windows/build-qt.sh" | tail -n 1)"
export VUKA_WINDOWS_QT
cd "$root"
cmake --workflow --preset windows
