#!/usr/bin/env bash
# check_dist.sh SOURCE_DIR BUILD_DIR VERSION: packs the release zip from BUILD_DIR
# into a scratch folder and checks what a user gets: the exact file list (the
# panel lab, its two scenarios and the presets folder among them), an add-on.xml that is
# well-formed and whose DLL component points at the DLL inside the package, every
# program stripped of its debug information, which the symbols zip beside it
# holds, and the version resources of the programs (read under Wine as Explorer
# reads them).
set -euo pipefail
source_dir=$1
build_dir=$2
version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

packed=$("$source_dir/scripts/dist.sh" "$scratch/out" "$build_dir")
zip_file=$(sed -n 1p <<<"$packed")
symbols_file=$(sed -n 2p <<<"$packed")
[ "$(basename "$zip_file")" = "Ulvo2FSUIPC-$version.zip" ] || fail "zip named $(basename "$zip_file")"

listed=$(unzip -Z1 "$zip_file" | LC_ALL=C sort | tr '\n' '|')
expected="Ulvo2FSUIPC/|Ulvo2FSUIPC/Ulvo2FSUIPC.dll|Ulvo2FSUIPC/add-on.xml|Ulvo2FSUIPC/offsets.md|\
Ulvo2FSUIPC/presets/|Ulvo2FSUIPC/presets/FSUIPC Local.xml|Ulvo2FSUIPC/presets/Ulvo737NG.mcc|\
Ulvo2FSUIPC/presets/Ulvo737NG.mfproj|Ulvo2FSUIPC/presets/offsets.csv|\
Ulvo2FSUIPC/presets/ulvo737_example.lua|Ulvo2FSUIPC/presets/ulvo737_offsets.h|\
Ulvo2FSUIPC/presets/ulvo737_offsets.json|Ulvo2FSUIPC/presets/ulvo737_offsets.lua|\
Ulvo2FSUIPC/scenarios/|Ulvo2FSUIPC/scenarios/climb.txt|Ulvo2FSUIPC/scenarios/turnaround.txt|\
Ulvo2FSUIPC/ulvo-monitor.exe|Ulvo2FSUIPC/ulvo-panel-lab.exe|Ulvo2FSUIPC/user-guide.md|\
Ulvo2FSUIPC/web-panel.png|"
[ "$listed" = "$expected" ] || fail "zip holds: $listed"
for file in "$source_dir"/presets/* "$source_dir/docs/offsets.csv"; do
    unzip -p "$zip_file" "Ulvo2FSUIPC/presets/$(basename "$file")" | cmp -s - "$file" ||
        fail "presets/$(basename "$file") in the zip differs from the generated one"
done

unzip -q "$zip_file" -d "$scratch/unpacked"
package=$scratch/unpacked/Ulvo2FSUIPC
xmllint --noout "$package/add-on.xml" || fail "add-on.xml is not well-formed"
root_type=$(xmllint --xpath 'string(/SimBase.Document/@Type)' "$package/add-on.xml")
[ "$root_type" = "AddOnXml" ] || fail "add-on.xml document type '$root_type'"
dll_path=$(xmllint --xpath 'string(/SimBase.Document/AddOn.Component[Category="DLL"]/Path)' "$package/add-on.xml")
[ "$dll_path" = "Ulvo2FSUIPC.dll" ] || fail "the DLL component's path is '$dll_path'"
[ -f "$package/$dll_path" ] || fail "the DLL component's path names no file in the package"
grep -q "version $version<" "$package/add-on.xml" || fail "add-on.xml does not name version $version"

[ "$(basename "$symbols_file")" = "Ulvo2FSUIPC-$version-symbols.zip" ] || fail "symbols named $(basename "$symbols_file")"
unzip -q "$symbols_file" -d "$scratch/symbols"
for file in Ulvo2FSUIPC.dll ulvo-monitor.exe ulvo-panel-lab.exe; do
    debug_sections() { x86_64-w64-mingw32-objdump -h "$1" | grep -c ' \.debug_' || true; }
    [ "$(debug_sections "$package/$file")" -eq 0 ] || fail "$file in the zip has debug sections"
    x86_64-w64-mingw32-objdump -t "$package/$file" | grep -q '^\[' && fail "$file in the zip has symbols"
    [ "$(debug_sections "$scratch/symbols/$file.debug")" -gt 0 ] || fail "no symbols for $file"
    x86_64-w64-mingw32-objdump -h "$package/$file" | grep -q ' \.gnu_debuglink' ||
        fail "$file does not name its symbols"
done

for file in Ulvo2FSUIPC.dll ulvo-monitor.exe ulvo-panel-lab.exe; do
    shown=$("$source_dir/scripts/wine-run.sh" "$build_dir/wineprefix" "$build_dir/bin/testbed.exe" \
        file-version "Z:${package//\//\\}\\$file" | tr -d '\r') || true
    for line in "Fixed file version: $version.0" "FileVersion: $version" \
        "ProductVersion: $version" "ProductName: Ulvo2FSUIPC" "OriginalFilename: $file"; do
        grep -qxF "$line" <<<"$shown" || fail "$file: no '$line' in its version resource: $shown"
    done
done
[ $status -eq 0 ] && echo "dist package $(basename "$zip_file") checked: $listed"
exit $status
