#!/usr/bin/env bash
# Packs the release: dist.sh [OUTDIR [BUILD_DIR]] writes OUTDIR/Ulvo2FSUIPC-<version>.zip
# (default OUTDIR dist/, BUILD_DIR build/windows) with one folder, Ulvo2FSUIPC/, that
# is an add-on package for Prepar3D v4: the DLL, add-on.xml, the monitor and the
# user guide and offset reference. `make dist` builds first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/dist}")
bin=$(realpath -m "${2:-$root/build/windows}")/bin
version=$(sed -n 's/^project(Ulvo2FSUIPC VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }
for file in "$bin/Ulvo2FSUIPC.dll" "$bin/ulvo-monitor.exe"; do
    [ -f "$file" ] || { echo "dist: $file is not built: run 'make dist'" >&2; exit 1; }
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
package=$stage/Ulvo2FSUIPC
mkdir -p "$package"
cp "$bin/Ulvo2FSUIPC.dll" "$bin/ulvo-monitor.exe" "$package/"
sed "s/@VERSION@/$version/g" "$root/packaging/add-on.xml.in" >"$package/add-on.xml"
cp "$root/docs/user-guide.md" "$root/docs/offsets.md" "$package/"

mkdir -p "$out"
zip_file=$out/Ulvo2FSUIPC-$version.zip
rm -f "$zip_file"
(cd "$stage" && zip -qrX "$zip_file" Ulvo2FSUIPC)
echo "$zip_file"
