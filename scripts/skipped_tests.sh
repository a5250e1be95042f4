#!/usr/bin/env bash
# Lists every skipped test of the JUnit files ctest wrote (--output-junit),
# one line each with its reason: a GoogleTest case that ctest counts as
# skipped, and a QTest function that skipped inside a passing test program.
# Ends with one line counting the passed, failed and skipped tests of all
# the files (a skipped QTest function counts as one skipped test).
# Usage: scripts/skipped_tests.sh SUITE=JUNIT.xml...
set -euo pipefail
passed=0 failed=0 skipped=0
for arg in "$@"; do
  suite=${arg%%=*}
  while IFS= read -r line; do
    case $line in
      "count "*)
        read -r _ run fail skip <<<"$line"
        passed=$((passed + run)) failed=$((failed + fail)) skipped=$((skipped + skip)) ;;
      *) printf 'skipped: %s: %s\n' "$suite" "$line" ;;
    esac
  done < <(awk '
    function unescape(s) {
      gsub(/&lt;/, "<", s); gsub(/&gt;/, ">", s); gsub(/&quot;/, "\"", s); gsub(/&apos;/, "\047", s)
      gsub(/&amp;/, "\\&", s)
      return s
    }
    /<testcase / {
      match($0, /name="[^"]*"/); name = unescape(substr($0, RSTART + 6, RLENGTH - 7))
      match($0, /status="[^"]*"/); status = substr($0, RSTART + 8, RLENGTH - 9)
      if (status == "run") run++
      else if (status == "fail") fail++
      reason = ""; next_is_reason = 0; own = 0
    }
    /<skipped / { skip++; own = 1 }
    {
      line = $0; sub(/^[ \t]*<system-out>/, "", line)
      # GoogleTest: "file:line: Skipped", then the reason on the next line.
      if (next_is_reason) { reason = line; next_is_reason = 0 }
      if (line ~ /: Skipped$/) next_is_reason = 1
      # QTest: "SKIP   : Class::function() reason".
      if (line ~ /^SKIP   : /) { sub(/^SKIP   : /, "", line); print name ": " unescape(line); skip++ }
    }
    /<\/testcase>/ {
      if (own) print name ": " (reason == "" ? "(no reason given)" : unescape(reason))
      own = 0
    }
    END { print "count " run + 0 " " fail + 0 " " skip + 0 }
  ' "${arg#*=}")
done
echo "tests: $passed passed, $failed failed, $skipped skipped"
