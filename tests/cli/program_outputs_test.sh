#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# termiva-calc as a shell runs it: what it writes never replaces a pipe, its
# own input or its other output, keeps a replaced file's mode, and an option
# given twice is a usage error. It refuses a file of another kind and a number
# that loading changes on every command and output, and reads a standard list
# across decimal separators.
#   program_outputs_test.sh TERMIVA-CALC EXAMPLES-FOLDER TEMPLATE
set -u
calc="$1" examples="$2" template="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export LC_ALL=C ASAN_OPTIONS=detect_leaks=0
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect STATUS PATTERN ARGS...: the pattern in stderr or stdout (--json).
expect() {
  local status="$1" pattern="$2"
  shift 2
  "$calc" "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" -eq "$status" ] || fail "termiva-calc $*: exit $got, expected $status"
  cat err.txt out.txt | grep -q -- "$pattern" ||
    fail "termiva-calc $*: output lacks \"$pattern\": $(cat err.txt out.txt)"
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

# with FILE LINE TEXT: the file with line LINE replaced by TEXT (CR LF kept).
with() { awk -v n="$2" -v t="$3" 'NR == n { print t "\r"; next } { print }' "$1"; }

# Files of another kind, by any command.
cp "$examples/vessel.inv" vessel.insp
cp "$examples/vessel.inv" vessel.inlim
kind="is a vessel input file (line 1 is \"Insulation vessel file\"), not a single pipe one: open it on the VESSEL INSULATION screen"
expect 1 "$kind" vessel.insp
expect 1 '"error":"The file \\"vessel.insp\\" is a vessel input file' --json vessel.insp
expect 1 "$kind" --max-loss 90 vessel.insp
expect 1 "not a thickness for a limit one" --limit vessel.inlim

# Numbers loading changes are refused by every command and output.
with "$examples/thickness-limit.inlim" 8 -20 > cold.inlim
with "$examples/thickness-limit.inlim" 12 nan > nan.inlim
with "$examples/single-pipe.insp" 14 "2 6.9" > d2.insp
cold='Ambient Temperature (Tout) \[oC\]: "-20" became "0"'
expect 1 "$cold" --limit cold.inlim
expect 1 'Ambient Temperature (Tout) \[oC\]: \\"-20\\" became' --limit --json cold.inlim
expect 1 "$cold" --report r.pdf cold.inlim
expect 1 'Maximum surface temperature \[oC\]: "nan" became ""' --limit nan.inlim
expect 1 'Pipe outside diameter (D2) \[mm\]: "2 6.9" became "2"' --max-loss 20 d2.insp
expect 1 '\\"2 6.9\\" became' --json --max-surface 50 d2.insp
expect 2 "needs a number not below 0" --max-surface -5 "$examples/single-pipe.insp"
[ -e r.pdf ] && fail "a report was written"

# The standard list saved under "," reads as the same thicknesses under ".".
with "$examples/thickness-limit.inlim" 14 "25,5 30 32,5 40" > comma.inlim
expect 0 "Next standard thickness \[mm\]            25.5" --limit comma.inlim
with "$examples/thickness-limit.inlim" 14 "20,25" > unclear.inlim
expect 1 'Standard thicknesses \[mm\]: "20,25" is two thicknesses' --limit unclear.inlim

exit $((failures > 0))
