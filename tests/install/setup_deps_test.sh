#!/usr/bin/env bash
# Runs scripts/setup-deps with stand-ins first on PATH for the commands that
# would look at or change the machine: dpkg-query, apt-get, id, sleep,
# locale and localedef. Each case checks the exit status, every apt-get and
# localedef command line, what was printed where it matters, and that no
# temporary file is left behind. The stand-in dpkg-query reports every
# package the script asks about as installed except those at chosen
# positions, so the package lists live in the script alone.
# Usage: setup_deps_test.sh SETUP_DEPS
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bin=$work/bin
mkdir "$bin"

# The stand-ins are plain sh, quick to start: the script runs dpkg-query
# once per package.
# FAKE_MISSING: the positions (from 1, in the order asked) of the packages
# that are not installed; each query is recorded in dpkg-query.log.
cat >"$bin/dpkg-query" <<'EOF'
#!/bin/sh
for package; do :; done
echo "$package" >>"$FAKE_DIR/dpkg-query.log"
asked=0
while IFS= read -r line; do asked=$((asked + 1)); done <"$FAKE_DIR/dpkg-query.log"
for position in $FAKE_MISSING; do
    if [ "$position" -eq "$asked" ]; then
        echo "dpkg-query: no packages found matching $package" >&2
        exit 1
    fi
done
printf 'install ok installed'
EOF
# FAKE_UPDATE: "ok"; "lock-once", the lists' lock held on the first update;
# or "fail", a repository without a Release file.
cat >"$bin/apt-get" <<'EOF'
#!/bin/sh
echo "$*" >>"$FAKE_DIR/apt-get.log"
if [ "${DEBIAN_FRONTEND:-}" != noninteractive ]; then
    echo "apt-get stand-in: run without DEBIAN_FRONTEND=noninteractive" >&2
    exit 100
fi
[ "$1" = update ] || exit 0
case $FAKE_UPDATE in
lock-once)
    if [ ! -e "$FAKE_DIR/lock-released" ]; then
        : >"$FAKE_DIR/lock-released"
        echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 1234 (apt-get)" >&2
        exit 100
    fi
    ;;
fail)
    echo "E: The repository 'http://deb.example.org stable Release' does not have a Release file." >&2
    exit 100
    ;;
esac
echo "Reading package lists..."
EOF
cat >"$bin/id" <<'EOF'
#!/bin/sh
[ "$*" = -u ] || { echo "id stand-in: only -u, not $*" >&2; exit 1; }
echo "$FAKE_UID"
EOF
cat >"$bin/sleep" <<'EOF'
#!/bin/sh
EOF
# FAKE_LOCALES: "none", no de_DE; "listed", de_DE.utf8 near the top of a
# listing longer than a pipe holds, as on a machine with every locale: a
# reader that stops at the first match leaves the rest unwritten.
cat >"$bin/locale" <<'EOF'
#!/usr/bin/env bash
[[ $* == -a ]] || { echo "locale stand-in: only -a, not $*" >&2; exit 1; }
printf '%s\n' C C.utf8 POSIX
[[ $FAKE_LOCALES == listed ]] || exit 0
printf '%s\n' de_DE.utf8
printf 'zz_ZZ.utf8\n%.0s' {1..20000}
EOF
cat >"$bin/localedef" <<'EOF'
#!/bin/sh
echo "$*" >>"$FAKE_DIR/localedef.log"
EOF
chmod +x "$bin"/*

failures=0
fail() {
    echo "FAIL [$name]: $*" >&2
    failures=$((failures + 1))
}
# Compares the whole text of the log $2 with $3.
expect_log() {
    local what=$1 actual
    actual=$(<"$2")
    [[ $actual == "$3" ]] ||
        fail "$what:"$'\n'"--- expected"$'\n'"$3"$'\n'"--- actual"$'\n'"$actual"
}

# apt-get's calls: U, the lists' update; I, the install of the missing
# packages. localedef's: G, generating de_DE.UTF-8. printed: a whole line
# that stdout (out:) or stderr (err:) must hold, MISSING standing for the
# missing packages in the script's order. A status of * is any failure.
#   name|option|uid|missing|update|locales|status|apt-get|localedef|printed
cases=(
    "all present|-|0|-|ok|none|0|-|-|-"
    "all present, not root|-|1000|-|ok|none|0|-|-|-"
    "missing as root|-|0|2 5 9|ok|none|0|U I|-|out:Installing: MISSING"
    "lists' lock held once|-|0|1|lock-once|none|0|U U I|-|out:Waiting for another package manager to finish..."
    "update fails|-|0|3|fail|none|*|U|-|err:E: The repository 'http://deb.example.org stable Release' does not have a Release file."
    "missing, not root|-|1000|1 4|ok|none|1|-|-|err:  sudo apt-get install -y MISSING"
    "windows, locale missing|--windows|0|3|ok|none|0|U I|G|out:Generating the locale de_DE.UTF-8"
    "windows, locale listed|--windows|0|-|ok|listed|0|-|-|-"
    "windows, locale missing, not root|--windows|1000|-|ok|none|1|-|-|err:  sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8"
    "fuzz, clang missing|--fuzz|0|3|ok|none|0|U I|-|out:Installing: MISSING"
    "unknown option|--linux|0|-|ok|none|2|-|-|err:usage: scripts/setup-deps [--windows | --fuzz]"
)

for row in "${cases[@]}"; do
    IFS='|' read -r name option uid missing update locales status apt localedef printed <<<"$row"
    dir=$work/case
    rm -rf "$dir"
    mkdir -p "$dir/tmp"
    touch "$dir/dpkg-query.log" "$dir/apt-get.log" "$dir/localedef.log"
    args=()
    [[ $option == - ]] || args=("$option")
    [[ $missing != - ]] || missing=
    actual_status=0
    FAKE_DIR=$dir FAKE_MISSING=$missing FAKE_UPDATE=$update FAKE_UID=$uid \
    FAKE_LOCALES=$locales TMPDIR=$dir/tmp PATH="$bin:$PATH" \
        timeout 10 bash "$script" "${args[@]}" >"$dir/out" 2>"$dir/err" ||
        actual_status=$?

    if [[ $status == '*' ]]; then
        ((actual_status != 0)) || fail "exit status 0, expected a failure"
    elif ((actual_status != status)); then
        fail "exit status $actual_status, expected $status; stderr:"$'\n'"$(<"$dir/err")"
    fi

    # The missing packages, in the order the script asked about them.
    names=()
    for position in $missing; do
        package=$(sed -n "${position}p" "$dir/dpkg-query.log")
        [[ -n $package ]] || fail "the script asked about fewer than $position packages"
        names+=("$package")
    done
    expected=()
    [[ $apt == - ]] && apt=
    for call in $apt; do
        case $call in
        U) expected+=("update -q") ;;
        I) expected+=("-o DPkg::Lock::Timeout=300 install -y -q --no-install-recommends ${names[*]}") ;;
        esac
    done
    expect_log "apt-get's command lines" "$dir/apt-get.log" "$(printf '%s\n' "${expected[@]}")"
    expected=
    [[ $localedef == G ]] && expected="-i de_DE -f UTF-8 de_DE.UTF-8"
    expect_log "localedef's command lines" "$dir/localedef.log" "$expected"

    if [[ $printed != - ]]; then
        stream=${printed%%:*} line=${printed#*:}
        line=${line//MISSING/${names[*]}}
        grep -qxF -- "$line" "$dir/$stream" ||
            fail "std$stream lacks the line \"$line\"; it holds:"$'\n'"$(<"$dir/$stream")"
    fi
    leftover=$(ls -A "$dir/tmp")
    [[ -z $leftover ]] || fail "temporary files left behind: $leftover"
done

if ((failures)); then
    echo "$failures failures" >&2
    exit 1
fi
echo "${#cases[@]} cases passed"
