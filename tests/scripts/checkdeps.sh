#!/usr/bin/env bash
# Runs scripts/deps.sh as a given user on a machine where every package is missing, with apt-get,
# sudo, id and dpkg-query stood in for, and checks how it installs them or what it says instead.
#   checkdeps.sh DEPS_SH root|sudo-user|plain-user
set -uo pipefail
deps=$1 who=$2
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT

stub() { printf '#!/bin/bash\n%s\n' "$2" > "$stubs/$1" && chmod +x "$stubs/$1"; }
stub dpkg-query 'exit 1'
stub apt-get "echo \"apt-get \$*\" >> $stubs/calls"
[ "$who" = root ] && stub id 'echo 0' || stub id 'echo 1000'
[ "$who" = sudo-user ] && stub sudo "echo \"sudo \$1\" >> $stubs/calls; exec \"\$@\""
for tool in env grep; do ln -s "$(command -v $tool)" "$stubs/$tool"; done

PATH=$stubs "$BASH" "$deps" run > "$stubs/out" 2>&1
status=$?
fail() { echo "FAIL ($who): $1"; echo "--- output (exit $status):"; cat "$stubs/out"; echo "--- calls:"; cat "$stubs/calls" 2>/dev/null; exit 1; }

install_line="apt-get install -y -q --no-install-recommends cmake "
case $who in
root|sudo-user)
    [ $status -eq 0 ] || fail "exit status $status"
    grep -q "^apt-get update" "$stubs/calls" && grep -q "^$install_line" "$stubs/calls" \
        || fail "apt-get was not run for the update and the install"
    sudo_calls=$(grep -c '^sudo ' "$stubs/calls")
    expected=0; [ "$who" = sudo-user ] && expected=2
    [ "$sudo_calls" -eq $expected ] || fail "sudo called $sudo_calls times, not $expected"
    ;;
plain-user)
    [ $status -ne 0 ] || fail "it ended as if it had installed something"
    [ ! -e "$stubs/calls" ] || fail "it ran apt-get"
    grep -q 'needs root or sudo' "$stubs/out" || fail "it does not say what it needs"
    grep -qx '    apt-get update && apt-get install -y --no-install-recommends git cmake .*' "$stubs/out" \
        || fail "it does not give the administrator's line"
    grep -q 'bash scripts/deps.sh print run' "$stubs/out" || fail "it does not name deps.sh print"
    ;;
esac
echo "PASS ($who)"
