#!/usr/bin/env bash
# Completes quorvane-cli command lines as bash would and compares the offers.
# Usage: completion_test.sh COMPLETION_SCRIPT DIRECTORY_OF_QUORVANE_CLI
set -uo pipefail
source "$1"
PATH=$(cd "$2" && pwd):$PATH
cd "$(mktemp -d)" && touch quorvane.bat
status=0
while IFS='|' read -r line expected; do
    read -r -a COMP_WORDS <<<"$line"
    [[ $line == *' ' ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _quorvane_cli
    actual="${COMPREPLY[*]}"
    [[ $actual == "$expected" ]] || { echo "'$line': '$actual', not '$expected'"; status=1; }
done <<'CASES'
quorvane-cli ch|chs2lba check
quorvane-cli --v|--version
quorvane-cli error110 --c|--cyls110 --crlf
quorvane-cli batch --|--output --fields --crlf --decimal-comma --help
quorvane-cli batch --output quo|quorvane.bat
quorvane-cli check --geometry |
quorvane-cli table quo|quorvane.bat
quorvane-cli table disk.img --b|--batch-lines
quorvane-cli table disk.img --geometry |
quorvane-cli check quo|
quorvane-cli nosuchcommand --|
CASES
exit $status
