#!/usr/bin/env bash
# check_dist.sh SOURCE_DIR BUILD_DIR VERSION: packs the release zip from BUILD_DIR
# into a scratch folder and checks what a user gets: the exact file list, an
# add-on.xml that is well-formed and whose DLL component points at the DLL inside
# the package, and the version resources of the DLL and the monitor (read under
# Wine as Explorer reads them).
set -euo pipefail
source_dir=$1
build_dir=$2
version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

zip_file=$("$source_dir/scripts/dist.sh" "$scratch/out" "$build_dir")
[ "$(basename "$zip_file")" = "Ulvo2FSUIPC-$version.zip" ] || fail "zip named $(basename "$zip_file")"

listed=$(unzip -Z1 "$zip_file" | sort | tr '\n' ' ')
expected="Ulvo2FSUIPC/ Ulvo2FSUIPC/Ulvo2FSUIPC.dll Ulvo2FSUIPC/add-on.xml Ulvo2FSUIPC/offsets.md Ulvo2FSUIPC/ulvo-monitor.exe Ulvo2FSUIPC/user-guide.md "
[ "$listed" = "$expected" ] || fail "zip holds: $listed"

unzip -q "$zip_file" -d "$scratch/unpacked"
package=$scratch/unpacked/Ulvo2FSUIPC
xmllint --noout "$package/add-on.xml" || fail "add-on.xml is not well-formed"
root_type=$(xmllint --xpath 'string(/SimBase.Document/@Type)' "$package/add-on.xml")
[ "$root_type" = "AddOnXml" ] || fail "add-on.xml document type '$root_type'"
dll_path=$(xmllint --xpath 'string(/SimBase.Document/AddOn.Component[Category="DLL"]/Path)' "$package/add-on.xml")
[ "$dll_path" = "Ulvo2FSUIPC.dll" ] || fail "the DLL component's path is '$dll_path'"
[ -f "$package/$dll_path" ] || fail "the DLL component's path names no file in the package"
grep -q "version $version<" "$package/add-on.xml" || fail "add-on.xml does not name version $version"

for file in Ulvo2FSUIPC.dll ulvo-monitor.exe; do
    shown=$("$source_dir/scripts/wine-run.sh" "$build_dir/wineprefix" "$build_dir/bin/testbed.exe" \
        file-version "Z:${package//\//\\}\\$file" | tr -d '\r') || true
    for line in "Fixed file version: $version.0" "FileVersion: $version" \
        "ProductVersion: $version" "ProductName: Ulvo2FSUIPC" "OriginalFilename: $file"; do
        grep -qxF "$line" <<<"$shown" || fail "$file: no '$line' in its version resource: $shown"
    done
done
[ $status -eq 0 ] && echo "dist package $(basename "$zip_file") checked: $listed"
exit $status
