#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed program
# as a user would: its version, the check of the bundled sample, the
# placeholder picture from share/zorview, and the menu entry's validity.
# Usage: tests/install_check.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/zorview-install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
export XDG_DATA_HOME="$prefix/user"

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/zorview share/zorview/SYSFILE/DUMMY.JPG share/zorview/help/index.html \
         share/applications/zorview.desktop share/icons/hicolor/scalable/apps/zorview.svg \
         share/icons/hicolor/256x256/apps/zorview.png share/zorview/samples/demo/INDEX_C.XML; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done

version=$("$prefix/bin/zorview" --version)
echo "$version"
[ -n "$version" ]

status=0
"$prefix/bin/zorview" --verify "$prefix/share/zorview/samples/demo" >"$prefix/verify.txt" || status=$?
cat "$prefix/verify.txt"
[ "$status" -eq 0 ] || { echo "--verify of the sample exited $status" >&2; exit 1; }

# A photo whose file is missing is shown by the placeholder picture.
cp -r "$prefix/share/zorview/samples/demo" "$prefix/gap"
first=$(find "$prefix/gap/PHOTO/PIC" -type f | sort | head -1)
rm "$first"
"$prefix/bin/zorview" --dump "$prefix/gap" >"$prefix/dump.json" 2>/dev/null
grep -q "\"$prefix/share/zorview/SYSFILE/DUMMY.JPG\"" "$prefix/dump.json" ||
  { echo "the placeholder picture is not found in share/zorview/SYSFILE" >&2; exit 1; }

desktop-file-validate "$prefix/share/applications/zorview.desktop"
echo "installed program runs"
