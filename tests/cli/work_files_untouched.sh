#!/bin/sh
# A verb reads a delivery without touching the work files of the user's
# viewer: the work table and the work copies stay as they were, nothing is
# made in the user data folder (a user who never ran the viewer has none
# afterwards either), and the verb's own work folder is gone afterwards.
# Usage: work_files_untouched.sh ZORVIEW DELIVERY SCRATCH
zorview=$1
delivery=$2
scratch=$3
rm -rf "$scratch" && mkdir -p "$scratch/data/TALMO/TempFiles/ZORVIEW/PIC" "$scratch/tmp" || exit 1
user="$scratch/data/TALMO/TempFiles/ZORVIEW"
echo keep > "$user/ＸＭＬ入力.DAT"
echo keep > "$user/PIC/P0000001.JPG"
for verb in --dump --verify; do
  XDG_DATA_HOME="$scratch/data" TMPDIR="$scratch/tmp" "$zorview" $verb "$delivery" >/dev/null 2>&1
  status=$?
  if [ $status -gt 1 ]; then echo "FAIL: $verb gave $status"; exit 1; fi
done
for made in TEMP_V TEMP_G; do
  [ ! -e "$user/$made" ] || { echo "FAIL: the verbs made $made in the user data folder"; exit 1; }
done
mkdir -p "$scratch/fresh" || exit 1
for verb in --dump --verify --inspect; do
  XDG_DATA_HOME="$scratch/fresh" TMPDIR="$scratch/tmp" "$zorview" $verb "$delivery" >/dev/null 2>&1
done
XDG_DATA_HOME="$scratch/fresh" "$zorview" --xml-tree "$delivery/PHOTO/PHOTO.XML" >/dev/null 2>&1
if [ -n "$(ls -A "$scratch/fresh")" ]; then echo "FAIL: the verbs made $(ls "$scratch/fresh") in an unused data folder"; exit 1; fi
grep -qx keep "$user/ＸＭＬ入力.DAT" || { echo "FAIL: the work table was rewritten"; exit 1; }
grep -qx keep "$user/PIC/P0000001.JPG" || { echo "FAIL: a work copy was removed"; exit 1; }
if [ -n "$(ls -A "$scratch/tmp")" ]; then echo "FAIL: the verb's work folder stayed: $(ls "$scratch/tmp")"; exit 1; fi
echo OK
