#!/usr/bin/env bash
# Packs the release: dist.sh [OUTDIR [BUILD_DIR]] writes OUTDIR/Ulvo2FSUIPC-<version>.zip
# (default OUTDIR dist/, BUILD_DIR build/windows) with one folder, Ulvo2FSUIPC/, that
# is an add-on package for Prepar3D v4: the DLL, add-on.xml, the monitor, the panel
# lab with its example scenarios, the user guide with its picture of the web panel,
# the offset reference, and presets/: offsets.csv and the files for panel tools.
# The programs in the zip carry no debug information; it goes into
# OUTDIR/Ulvo2FSUIPC-<version>-symbols.zip beside it (one NAME.debug per program, which
# the stripped program names by a debug link), so that a crash address from a user
# can still be read. Prints the zip's path, then the symbols' path. `make dist`
# builds first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/dist}")
bin=$(realpath -m "${2:-$root/build/windows}")/bin
version=$(sed -n 's/^project(Ulvo2FSUIPC VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }
programs=(Ulvo2FSUIPC.dll ulvo-monitor.exe ulvo-panel-lab.exe)
for program in "${programs[@]}"; do
    [ -f "$bin/$program" ] || { echo "dist: $bin/$program is not built: run 'make dist'" >&2; exit 1; }
done
objcopy=x86_64-w64-mingw32-objcopy

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
package=$stage/Ulvo2FSUIPC
symbols=$stage/symbols
mkdir -p "$package/scenarios" "$package/presets" "$symbols"
for program in "${programs[@]}"; do
    cp "$bin/$program" "$package/"
    "$objcopy" --only-keep-debug "$package/$program" "$symbols/$program.debug"
    x86_64-w64-mingw32-strip --strip-all "$package/$program"
    (cd "$symbols" && "$objcopy" --add-gnu-debuglink="$program.debug" "$package/$program")
done
sed "s/@VERSION@/$version/g" "$root/packaging/add-on.xml.in" >"$package/add-on.xml"
cp "$root/docs/user-guide.md" "$root/docs/web-panel.png" "$root/docs/offsets.md" "$package/"
cp "$root/docs/offsets.csv" "$root"/presets/* "$package/presets/"
cp "$root"/tools/panel_lab/scenarios/*.txt "$package/scenarios/"

mkdir -p "$out"
zip_file=$out/Ulvo2FSUIPC-$version.zip
symbols_file=$out/Ulvo2FSUIPC-$version-symbols.zip
rm -f "$zip_file" "$symbols_file"
(cd "$stage" && zip -qrX "$zip_file" Ulvo2FSUIPC)
(cd "$symbols" && zip -qX "$symbols_file" ./*.debug)
echo "$zip_file"
echo "$symbols_file"
