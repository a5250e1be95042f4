#!/bin/sh
# Runs a command and checks both its exit status and what it printed.
# Usage: run_check.sh STATUS [PATTERN...] -- COMMAND [ARG...]
# Every PATTERN (a Perl regular expression) must match the command's whole
# output, standard output and standard error together: ^ is its start, $ its
# very end, \n and \r its line ends, and . does not cross a line.
expected=$1
shift
count=0
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  count=$((count + 1))
  eval "pattern_$count=\$1"
  shift
done
if [ "$1" != "--" ] || [ $# -lt 2 ]; then
  echo "usage: run_check.sh STATUS [PATTERN...] -- COMMAND [ARG...]" >&2
  exit 2
fi
shift

out=$(mktemp) || exit 2
trap 'rm -f "$out"' EXIT
"$@" >"$out" 2>&1
status=$?
cat "$out"

failed=0
if [ "$status" -ne "$expected" ]; then
  echo "run_check: FAIL: exit status $status, expected $expected"
  failed=1
fi
i=0
while [ $i -lt $count ]; do
  i=$((i + 1))
  eval "pattern=\$pattern_$i"
  LC_ALL=C grep -Pzq -- "$pattern" "$out"
  found=$?
  if [ $found -eq 1 ]; then
    printf "run_check: FAIL: the output does not match %s\n" "$pattern"
    failed=1
  elif [ $found -ne 0 ]; then
    printf "run_check: FAIL: grep could not use %s\n" "$pattern"
    failed=1
  fi
done
exit $failed
