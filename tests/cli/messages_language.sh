#!/bin/sh
# The command line's own messages follow the locale: Japanese under ja_JP,
# English under C and under a locale that does not exist; the texts of the
# delivery stay as they are. The Japanese locale is made for the run in a
# folder of its own (LOCPATH), so the machine needs none installed.
# Usage: messages_language.sh ZORVIEW SCRATCH BROKEN.XML   (exit 77: cannot be run here)
zorview=$1
scratch=$2
rm -rf "$scratch" && mkdir -p "$scratch/locales" "$scratch/data" || exit 1
if ! localedef -i ja_JP -f UTF-8 "$scratch/locales/ja_JP.UTF-8" >/dev/null 2>&1; then
  echo "SKIP: localedef cannot make ja_JP.UTF-8 (the locales package holds its source)"
  exit 77
fi
run() {  # run LOCALE VAR ARGS...: the verb's standard error under the locale
  locale=$1 var=$2
  shift 2
  env -u LC_ALL -u LC_MESSAGES -u LANG -u LANGUAGE "$var=$locale" LOCPATH="$scratch/locales" \
    XDG_DATA_HOME="$scratch/data" "$zorview" "$@" 2>&1 >/dev/null
}
expect() {  # expect WHAT TEXT PART
  case $2 in *"$3"*) ;; *) echo "FAIL: $1: \"$3\" not in: $2"; exit 1 ;; esac
}
missing=/nonexistent/INDEX_C.XML
expect "ja_JP" "$(run ja_JP.UTF-8 LANG --verify $missing)" "ファイルまたはフォルダがありません"
expect "LC_MESSAGES over LANG" "$(LC_MESSAGES=ja_JP.UTF-8 run C LANG --verify $missing)" "no such file or folder"
expect "LC_ALL" "$(run ja_JP.UTF-8 LC_ALL --album)" "使い方: zorview --album"
expect "C" "$(run C LANG --verify $missing)" "zorview --verify: $missing: no such file or folder"
expect "a locale that does not exist" "$(run xx_YY.UTF-8 LANG --verify $missing)" "no such file or folder"
expect "unknown option, in C" "$(run C LANG --nonsense)" "zorview: unknown option --nonsense"
# The delivery's own message is the same whatever the locale.
expect "the delivery's text" "$(run C LANG --xml-tree --own "$3")" "XMLファイルのフォーマットが不正です。"
echo OK
