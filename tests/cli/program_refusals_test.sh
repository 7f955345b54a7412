#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# termiva-calc refuses, with exit 1 and a message naming the cause, what it
# must not compute: a file of another kind, a number that loading changes on
# every command and output, and reads a standard list across separators.
#   program_refusals_test.sh TERMIVA-CALC EXAMPLES-FOLDER
set -u
calc="$1" examples="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export ASAN_OPTIONS=detect_leaks=0
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect STATUS OUTPUT-PATTERN ARGS...: the pattern is looked for in stdout and stderr.
expect() {
  local status="$1" pattern="$2"
  shift 2
  LC_ALL="${locale:-C}" "$calc" "$@" >out.txt 2>&1
  local got=$?
  [ "$got" -eq "$status" ] || fail "termiva-calc $*: exit $got, expected $status: $(cat out.txt)"
  grep -q -- "$pattern" out.txt || fail "termiva-calc $*: output lacks \"$pattern\": $(cat out.txt)"
}
# with FILE LINE TEXT: the file with line LINE replaced by TEXT (CR LF kept).
with() { awk -v n="$2" -v t="$3" 'NR == n { print t "\r"; next } { print }' "$1"; }

# Files of another kind, by any command.
cp "$examples/vessel.inv" vessel.insp
cp "$examples/vessel.inv" vessel.inlim
cp "$examples/single-pipe.insp" pipe.inmp
kind="is a vessel input file (line 1 is \"Insulation vessel file\"), not a single pipe one: open it on the VESSEL INSULATION screen"
expect 1 "$kind" vessel.insp
expect 1 '"error":"The file \\"vessel.insp\\" is a vessel input file' --json vessel.insp
expect 1 "$kind" --max-loss 90 vessel.insp
expect 1 "not a thickness for a limit one" --limit vessel.inlim
expect 1 "is a single pipe input file" --table pipe.inmp
[ -e r.pdf ] && fail "a report was written"

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
expect 1 '"2 6.9" became "2"' --report r.pdf d2.insp
expect 2 "needs a number not below 0" --max-surface -5 "$examples/single-pipe.insp"
[ -e r.pdf ] && fail "a report was written"

# The standard list saved under "," reads as the same thicknesses under ".".
with "$examples/thickness-limit.inlim" 14 "25,5 30 32,5 40" > comma.inlim
expect 0 "Next standard thickness \[mm\]            25.5" --limit comma.inlim
with "$examples/thickness-limit.inlim" 14 "20,25" > unclear.inlim
expect 1 'Standard thicknesses \[mm\]: "20,25" is two thicknesses' --limit unclear.inlim
if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  with "$examples/thickness-limit.inlim" 14 "25.5 30" > point.inlim
  locale=de_DE.UTF-8 expect 0 "Next standard thickness \[mm\]            25,5" --limit point.inlim
fi

exit $((failures > 0))
