#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# termiva-calc as a shell runs it: what it writes never replaces a pipe, its
# own input or its other output, keeps a replaced file's mode, and an option
# given twice is a usage error.
#   program_outputs_test.sh TERMIVA-CALC EXAMPLES-FOLDER TEMPLATE
set -u
calc="$1" examples="$2" template="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export LC_ALL=C ASAN_OPTIONS=detect_leaks=0
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect STATUS STDERR-PATTERN ARGS...
expect() {
  local status="$1" pattern="$2"
  shift 2
  "$calc" "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" -eq "$status" ] || fail "termiva-calc $*: exit $got, expected $status"
  grep -q -- "$pattern" err.txt || fail "termiva-calc $*: stderr lacks \"$pattern\": $(cat err.txt)"
}

cp "$examples/single-pipe.insp" "$examples/vessel.inv" .
input="$(cat single-pipe.insp)"

# A pipe is neither replaced by the PDF nor by the workbook.
mkfifo pipe
expect 2 "not a regular file" --report pipe vessel.inv
expect 2 "not a regular file" --workbook pipe --template "$template" single-pipe.insp
[ -p pipe ] || fail "the pipe was replaced"

# The workbook never replaces its input, by whatever name; nor the report.
mkdir sub
ln -s ../single-pipe.insp sub/link.insp
ln single-pipe.insp hard.insp
for name in ./single-pipe.insp sub/../single-pipe.insp sub/link.insp hard.insp; do
  expect 2 "would replace the input file" --workbook "$name" --template "$template" \
    single-pipe.insp
done
[ "$(cat single-pipe.insp)" = "$input" ] || fail "the input file was replaced"
expect 2 "name the same file" --workbook out.xlsx --report ./out.xlsx --template "$template" \
  single-pipe.insp
[ -e out.xlsx ] && fail "out.xlsx was written"

# A replaced workbook keeps its mode; no temporary file stays.
"$calc" --workbook out.xlsx --template "$template" single-pipe.insp >/dev/null ||
  fail "first --workbook failed"
chmod 0600 out.xlsx
"$calc" --workbook out.xlsx --template "$template" single-pipe.insp >/dev/null ||
  fail "second --workbook failed"
[ "$(stat -c %a out.xlsx)" = 600 ] || fail "out.xlsx is now $(stat -c %a out.xlsx), not 600"
ls -A | grep -q '\.tmp$' && fail "a temporary file was left: $(ls -A)"

# An option given twice.
expect 2 "--max-surface is given more than once" --max-surface 50 --max-surface 60 \
  single-pipe.insp
expect 2 "--workbook is given more than once" --workbook a.xlsx --workbook=b.xlsx \
  single-pipe.insp
expect 2 "--report is given more than once" --limit --report a.pdf --report b.pdf \
  "$examples/thickness-limit.inlim"

exit $((failures > 0))
