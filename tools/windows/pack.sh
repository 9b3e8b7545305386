#!/usr/bin/env bash
# Packs the cross-built editor: a folder that runs as it is, zipped, and an
# installer made with NSIS (packaging/windows/vuka-manager.nsi).
# Usage: pack.sh BUILD_DIR QT_PREFIX OUT_DIR VERSION
#   writes OUT_DIR/vuka-manager-VERSION-win64/, its .zip and vuka-manager-VERSION-setup.exe
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$1" qt="$2" out="$3" version="$4"
name="vuka-manager-$version-win64"
stage="$out/$name"
mingw_runtime=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll
               /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll
               /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll)

rm -rf "$stage"
mkdir -p "$stage/platforms" "$stage/translations"
cp "$build/src/ui/vuka-manager.exe" "$root/data/version.ini" "$stage/"
cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "${mingw_runtime[@]}" "$stage/"
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
if [ -f "$qt/plugins/styles/qwindowsvistastyle.dll" ]; then
  mkdir -p "$stage/styles"
  cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
fi
cp /usr/share/qt6/translations/qtbase_ru.qm "$stage/translations/"
# Qt looks for its plug-ins and translations beside the program.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"
find "$stage" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

rm -f "$out/$name.zip"
(cd "$out" && zip -qr -X "$name.zip" "$name")

# What the uninstaller removes: every installed file, then the emptied folders.
files="$out/uninstall-files.nsh"
(cd "$stage" && find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
 cd "$stage" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|') >"$files"
makensis -V2 -DVERSION="$version" -DSOURCE="$stage" -DFILES="$files" \
  -DOUTFILE="$out/vuka-manager-$version-setup.exe" "$root/packaging/windows/vuka-manager.nsi"
ls -l "$out/$name.zip" "$out/vuka-manager-$version-setup.exe"
