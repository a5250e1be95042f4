#!/bin/sh
# zorview --album never writes into the delivery: not into its folder, nor
# below it, also when either is named through a link. Beside it is fine.
# Usage: album_inside_delivery.sh ZORVIEW DELIVERY SCRATCH
zorview=$1
delivery=$2
scratch=$3
rm -rf "$scratch" && mkdir -p "$scratch" || exit 1
cp -r "$delivery" "$scratch/delivery" && ln -s delivery "$scratch/link" || exit 1

refused() {
  message=$("$zorview" --album "$1" "$2" 2>&1 >/dev/null)
  status=$?
  if [ $status -ne 1 ] || ! printf '%s' "$message" | grep -q 'would lie inside the delivery'; then
    echo "FAIL: --album $1 $2 gave $status: $message"
    exit 1
  fi
}

for out in delivery delivery/PHOTO delivery/PHOTO/PIC link/PHOTO; do
  refused "$scratch/delivery" "$scratch/$out"
done
refused "$scratch/link/PHOTO/PHOTO.XML" "$scratch/delivery"
if [ -n "$(find "$scratch/delivery" -name ALBUM)" ]; then
  echo "FAIL: an ALBUM folder was made inside the delivery"
  exit 1
fi
"$zorview" --album "$scratch/delivery" "$scratch" >/dev/null 2>&1 || { echo "FAIL: beside the delivery"; exit 1; }
test -f "$scratch/ALBUM/ALBUM.HTM" || { echo "FAIL: no album beside the delivery"; exit 1; }
echo OK
