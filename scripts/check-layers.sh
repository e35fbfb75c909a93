#!/usr/bin/env bash
# Checks the layering that the folders show, in a few seconds, without a build:
#  - a core file (model/ and every <subsystem>/core/, the files of titrage_core)
#    includes no Qt header and no project header outside the core;
#  - every file CMake puts into titrage_core lies in such a folder, so the
#    first rule sees all of them;
#  - no two subsystem folders include each other, directly or through others.
# The build enforces the Qt rule for .cpp files already (titrage_core does not
# link Qt); this also catches a header that only window files include, and a
# core file reaching into a window header that happens to be Qt-free.
set -euo pipefail
cd "$(dirname "$0")/.."

subsystems="platform model graph bench config calculator exercises printing app"
status=0
fail() {
    echo "check-layers: $*" >&2
    status=1
}

# grep over the C++ files of the given folders (no git needed: a source
# tarball is checked the same way).
sources() {
    grep -rs --include='*.h' --include='*.cpp' "$@" || true
}

is_core_path() {
    case "$1" in
    model/* | */core/*) return 0 ;;
    *) return 1 ;;
    esac
}

# 1. Core files include only the standard library, the system and the core.
core_paths=()
for dir in $subsystems; do
    if [[ $dir == model ]]; then core_paths+=("model/"); else core_paths+=("$dir/core/"); fi
done
while IFS= read -r line; do
    [[ $line =~ ^([^:]+:[0-9]+):(.*)$ ]] || continue
    place=${BASH_REMATCH[1]}
    text=${BASH_REMATCH[2]}
    if [[ $text =~ \#[[:space:]]*include[[:space:]]*\<(Q[A-Za-z0-9_/.]*)\> ]]; then
        fail "$place: core file includes the Qt header <${BASH_REMATCH[1]}>"
    elif [[ $text =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
        header=${BASH_REMATCH[1]}
        if ! is_core_path "$header"; then
            fail "$place: core file includes \"$header\", which is not a core header"
        fi
    fi
done < <(sources -n -E '^[[:space:]]*#[[:space:]]*include' "${core_paths[@]}")

# 2. What CMake compiles into titrage_core lies in a core folder.
for dir in $subsystems; do
    list="$dir/CMakeLists.txt"
    [[ -f $list ]] || continue
    # The words of every target_sources(titrage_core ...) call, up to its ")".
    listed=$(awk '
        /target_sources\(titrage_core/ { inside = 1 }
        inside {
            line = $0
            sub(/.*target_sources\(titrage_core/, "", line)
            done = sub(/\).*/, "", line)
            print line
            if (done) inside = 0
        }' "$list" | tr -s ' \t' '\n\n' | grep -v -E '^(PRIVATE|PUBLIC|INTERFACE|)$' || true)
    for source in $listed; do
        if ! is_core_path "$dir/$source"; then
            fail "$list: titrage_core compiles $source, which is outside $dir/core/"
        fi
    done
done

# 3. The folders include one another in one direction only.
edges=$(for dir in $subsystems; do
    sources -h -o -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$dir/" |
        sed -E 's/.*"([a-z]+)\//\1/' | sort -u | grep -v -x "$dir" | sed "s/^/$dir /" || true
done)
loops=""
if [[ -n $edges ]]; then
    loops=$(tsort <<<"$edges" 2>&1 >/dev/null || true)
fi
if [[ -n $loops ]]; then
    fail "the subsystem folders include one another in a circle:"
    echo "$loops" | sed -n 's/^tsort: \([a-z]*\)$/    \1/p' | sort -u >&2
    for dir in $subsystems; do
        # Name the includes that make the circle: those towards a folder of it.
        for other in $(echo "$loops" | sed -n 's/^tsort: \([a-z]*\)$/\1/p' | sort -u); do
            [[ $other == "$dir" ]] && continue
            echo "$loops" | grep -q -x "tsort: $dir" || continue
            sources -n -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"$other/" "$dir/" |
                sed 's/^/    /' >&2 || true
        done
    done
fi

if [[ $status -eq 0 ]]; then
    echo "check-layers: core files include only the core; no circle between folders"
fi
exit $status
