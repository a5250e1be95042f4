#!/usr/bin/env bash
# Installs the build into a temporary prefix whose name has a space and runs
# the installed program as a user would: its version, the check of the
# bundled sample, the placeholder picture from share/zorview; the menu entry
# and the software centre's entry are valid, and the manual page and the
# completion know every verb. A DESTDIR install runs the same way.
# Usage: tests/install_check.sh BUILD_DIR
set -euo pipefail
build=$1
top=$(mktemp -d "${TMPDIR:-/tmp}/zorview-install-XXXXXX")
trap 'rm -rf "$top"' EXIT
prefix="$top/the prefix"
export XDG_DATA_HOME="$top/user"

installed() {
  local root=$1 f
  for f in bin/zorview share/zorview/SYSFILE/DUMMY.JPG share/zorview/help/index.html \
           share/applications/zorview.desktop share/icons/hicolor/scalable/apps/zorview.svg \
           share/icons/hicolor/256x256/apps/zorview.png share/zorview/samples/demo/INDEX_C.XML \
           share/man/man1/zorview.1.gz share/doc/zorview/copyright share/doc/zorview/changelog.gz \
           share/bash-completion/completions/zorview share/metainfo/org.example.zorview.metainfo.xml; do
    [ -e "$root/$f" ] || { echo "not installed: $f" >&2; exit 1; }
  done
}

cmake --install "$build" --prefix "$prefix" >/dev/null
installed "$prefix"

# Into a staging root, as packagers install: the program runs from there.
DESTDIR="$top/stage root" cmake --install "$build" --prefix /usr/local >/dev/null
installed "$top/stage root/usr/local"
"$top/stage root/usr/local/bin/zorview" --verify "$top/stage root/usr/local/share/zorview/samples/demo" >/dev/null ||
  { echo "--verify of the sample in the DESTDIR install failed" >&2; exit 1; }

# Every verb --help lists has its entry in the manual page and is completed.
verbs=$("$prefix/bin/zorview" --help | sed -n 's/^  zorview \(--[a-z-]*\).*/\1/p')
[ -n "$verbs" ] || { echo "--help lists no verbs" >&2; exit 1; }
manual=$(gzip -dc "$prefix/share/man/man1/zorview.1.gz")
completion=$(grep '^  local verbs=' "$prefix/share/bash-completion/completions/zorview")
for verb in $verbs; do
  roff=${verb//-/\\-}  # --xml-tree as the page writes it: \-\-xml\-tree
  { printf '%s\n' "$manual" | grep -qxF ".B $roff" || printf '%s\n' "$manual" | grep -qF ".BR $roff "; } ||
    { echo "the manual page lacks $verb" >&2; exit 1; }
  case "${completion#*=} " in *[\"\ ]"$verb"[\"\ ]*) ;; *) echo "the completion lacks $verb" >&2; exit 1 ;; esac
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

# The installed catalogue: Japanese messages under a Japanese locale, made
# for the run where the machine has the locale's source.
mkdir -p "$top/locales"
if localedef -i ja_JP -f UTF-8 "$top/locales/ja_JP.UTF-8" >/dev/null 2>&1; then
  said=$(env -u LC_ALL -u LC_MESSAGES LANG=ja_JP.UTF-8 LOCPATH="$top/locales" "$prefix/bin/zorview" --kind "$top/none" 2>&1 || true)
  case $said in *"ファイルがありません"*) echo "installed catalogue: Japanese under ja_JP" ;; *) echo "the installed program does not speak Japanese: $said" >&2; exit 1 ;; esac
fi

desktop-file-validate "$prefix/share/applications/zorview.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.zorview.metainfo.xml"
echo "installed program runs"
