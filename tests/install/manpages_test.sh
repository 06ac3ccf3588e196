#!/usr/bin/env bash
# Keeps each manual page in step with its program's --help: the same
# options (every "--name" either one mentions) and, for quorvane-cli, the
# same commands in the same order; and each page renders without warnings.
# Usage: manpages_test.sh QUORVANE_CLI CLI_PAGE QUORVANE GUI_PAGE
set -euo pipefail
status=0

# The "--name" words of a text, one a line, sorted.
options() { grep -oE -- '--[A-Za-z0-9][A-Za-z0-9-]*' | LC_ALL=C sort -u; }
# A roff source as plain words: "\-" is a hyphen, font changes are dropped.
plain() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$1"; }
same() {  # what, expected (from --help), actual (from the page)
    if [[ $2 != "$3" ]]; then
        echo "$1: --help and the manual page differ (< --help, > page):"
        diff <(echo "$2") <(echo "$3") || true
        status=1
    fi
}

cli=$1 cli_page=$2 gui=$3 gui_page=$4
help=$("$cli" --help)
commands=$(sed -n '/^Commands:/,/^$/s/^  \([a-z0-9][a-z0-9-]*\).*/\1/p' <<<"$help")
all_help=$help
for command in $commands; do all_help+=$'\n'$("$cli" "$command" --help); done
same "quorvane-cli options" "$(options <<<"$all_help")" "$(plain "$cli_page" | options)"
# Commands: the first word after each .TP of the COMMANDS section.
page_commands=$(plain "$cli_page" | sed -n '/^\.SH COMMANDS/,/^\.SH /p' |
    awk 'tp && /^\.BI? / { gsub(/"/, ""); if ($2 !~ /^-/) print $2 } { tp = /^\.TP/ }')
same "quorvane-cli commands" "$commands" "$page_commands"
same "quorvane options" "$("$gui" --help | options)" "$(plain "$gui_page" | options)"

for page in "$cli_page" "$gui_page"; do
    warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 "$page" 2>&1)
    [[ -z $warnings ]] || { echo "$page: $warnings"; status=1; }
done
exit $status
