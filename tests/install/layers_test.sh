#!/usr/bin/env bash
# The core's folders include only the folders below them, and nothing of the
# toolkit, the platform layer or the front ends. Names every include that
# breaks the rule, with the folders its own folder may use.
# Usage: layers_test.sh CORE_DIR LAYER=SEEN,SEEN,... ...
set -euo pipefail
core=$1
shift
status=0
for rule in "$@"; do
    layer=${rule%%=*}
    seen=",${rule#*=},"
    while IFS=: read -r file line text; do
        target=$(sed -E 's|.*#include "core/([a-z]+)/.*|\1|' <<<"$text")
        if [[ $text == *'#include "core/'* ]]; then
            [[ $seen == *",$target,"* ]] && continue
        fi
        echo "$file:$line: $text (core/$layer may include core/${seen:1:-1} only)" | sed 's/,/, core\//g'
        status=1
    done < <(grep -nE '#include ("(core|gui|cli|platform)/|<Q)' "$core/$layer"/* /dev/null || true)
done
((status == 0)) && echo "the core's includes point down only"
exit $status
