#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# termiva FILE as a shell starts it, offscreen: a file whose name is not UTF-8
# (Latin-1 bytes) opens on its screen, and Recent files keeps its name byte
# for byte.
#   open_file_name_test.sh TERMIVA EXAMPLES-FOLDER
set -u
termiva="$1" examples="$2"
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -m 0700 "$work/runtime"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export ASAN_OPTIONS=detect_leaks=0 LC_ALL=C.UTF-8
cp "$examples/single-pipe.insp" "$work/r"$'\xe9'"seau.insp"
"$termiva" "$work/r"$'\xe9'"seau.insp" >"$work/output.txt" 2>&1 &
pid=$!
# A loaded file goes first in Recent files, which reach the disk soon after.
settings="$work/config/TERMIVA/TERMIVA.conf"
for _ in $(seq 150); do
  grep -q "^recentFiles=" "$settings" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
expected="recentFiles=$work/r%E9seau.insp"
if ! grep -qxF "$expected" "$settings" 2>/dev/null; then
  echo "FAIL: the file did not open, or Recent files lost its name; expected \"$expected\" in:"
  cat "$settings" 2>/dev/null
  cat "$work/output.txt"
  exit 1
fi
echo "termiva opened r\\xe9seau.insp"
