#!/usr/bin/env bash
# Fails when a C++ file includes a header its folder may not reach. Everything under ui/ is
# one library with the repository's top folder as include path, so the compiler and the
# linker accept any include; the arrows between the folders are kept here instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The arrows, the only place they are written down. A file's row is the longest folder (or
# the file itself) that holds it; it may include its own folder, the C++ standard library
# (<vector>, <cmath>: a bare lower-case name) and what its row lists:
#   a path ending in "/"  that folder and everything below it;
#   any other path        that one header;
#   outside               any header from outside this repository (Qt, the system's);
#   *                     anything.
# A C++ file that no row covers fails too: a new folder needs its row.
rules='
# Folder or file   May include
core/              -
resources/         core/ outside
audio/             core/ outside
ui/paint/          core/ resources/ outside
ui/shared/         core/ resources/ outside
ui/quick/          ui/shared/ ui/paint/ core/ resources/ outside
ui/info/           ui/shared/ ui/paint/ core/ resources/ outside
ui/tools/          ui/shared/ ui/paint/ core/ resources/ audio/click_player.h outside
ui/main/           ui/quick/ ui/info/ ui/shared/ ui/paint/ core/ resources/ outside
ui/app/            ui/ core/ resources/ audio/click_player.h outside
ui/main.cpp        ui/ core/ resources/ audio/click_player.h outside
tests/             *
bench/             *
'

cd "$root"
# Untracked files too, so that a new file is checked before it is added.
git ls-files --cached --others --exclude-standard |
    grep -E '\.(c|cc|cpp|cxx|h|hh|hpp|hxx|inc|def)(\.in)?$' |
    while IFS= read -r file; do
        if [ -f "$file" ]; then
            printf '%s\n' "$file"
        fi
    done |
    awk -v rulesText="$rules" '
function normalize(path,    n, part, kept, i, k, out) {
    n = split(path, part, "/")
    k = 0
    for (i = 1; i <= n; i++) {
        if (part[i] == "" || part[i] == ".") {
            continue
        }
        if (part[i] == "..") {
            if (k == 0) {
                return ""   # above the repository
            }
            k--
            continue
        }
        kept[++k] = part[i]
    }
    out = ""
    for (i = 1; i <= k; i++) {
        out = out (i > 1 ? "/" : "") kept[i]
    }
    return out
}
function dirOf(path) {
    return path ~ /\// ? substr(path, 1, match(path, /\/[^\/]*$/)) : ""
}
function covers(entry, path) {
    return entry ~ /\/$/ ? substr(path, 1, length(entry)) == entry : path == entry
}
function rowOf(file,    key, best) {
    best = ""
    for (key in allowed) {
        if (covers(key, file) && length(key) > length(best)) {
            best = key
        }
    }
    return best
}
# Where an include leads: "std:NAME", "outside:NAME" or "project:PATH".
function target(file, delim, name,    path, top) {
    if (delim == "<" && name ~ /^[a-z0-9_]+$/) {
        return "std:" name
    }
    # A quoted name is looked for beside the including file first; a bare one that is not
    # there is a generated neighbour (moc output).
    if (delim == "\"") {
        path = normalize(dirOf(file) name)
        if (path in known || name !~ /\// || name ~ /^\.\.?\//) {
            return path == "" ? "outside:" name : "project:" path
        }
    }
    path = normalize(name)
    top = path
    sub(/\/.*/, "", top)
    return path ~ /\// && (top in topFolders) ? "project:" path : "outside:" name
}
function permitted(row, where,    kind, path, n, entry, i) {
    kind = substr(where, 1, index(where, ":") - 1)
    path = substr(where, index(where, ":") + 1)
    if (kind == "std" || allowed[row] ~ /(^| )\*( |$)/) {
        return 1
    }
    if (kind == "outside") {
        return allowed[row] ~ /(^| )outside( |$)/
    }
    if (row ~ /\/$/ && covers(row, path)) {
        return 1
    }
    n = split(allowed[row], entry, " ")
    for (i = 1; i <= n; i++) {
        if (entry[i] != "outside" && covers(entry[i], path)) {
            return 1
        }
    }
    return 0
}
# A row in words: "itself, the C++ standard library, core/ and headers from outside ...".
function describe(row,    n, entry, item, count, i, text) {
    count = 0
    if (row ~ /\/$/) {
        item[++count] = "itself"
    }
    item[++count] = "the C++ standard library"
    n = split(allowed[row], entry, " ")
    for (i = 1; i <= n; i++) {
        item[++count] = entry[i] == "outside" ? "headers from outside the repository" : entry[i]
    }
    text = item[1]
    for (i = 2; i <= count; i++) {
        text = text (i == count ? " and " : ", ") item[i]
    }
    return text
}
BEGIN {
    n = split(rulesText, ruleLine, "\n")
    for (i = 1; i <= n; i++) {
        if (ruleLine[i] ~ /^[ \t]*(#|$)/) {
            continue
        }
        split(ruleLine[i], field, " ")
        rest = ruleLine[i]
        sub(/^[ \t]*[^ \t]+[ \t]*/, "", rest)
        allowed[field[1]] = rest == "-" ? "" : rest
    }
}
{
    known[$0] = 1
    top = $0
    if (sub(/\/.*/, "", top)) {
        topFolders[top] = 1
    }
    files[++fileCount] = $0
}
END {
    broken = 0
    for (f = 1; f <= fileCount; f++) {
        file = files[f]
        row = rowOf(file)
        if (row == "") {
            printf "%s: no row of the include rules covers this file; add its folder to the table in scripts/check-includes.sh\n", file
            broken++
            continue
        }
        lineNumber = 0
        while ((getline line < file) > 0) {
            lineNumber++
            if (line !~ /^[ \t]*#[ \t]*include[ \t]*[<"]/) {
                continue
            }
            match(line, /[<"][^>"]*[>"]/)
            delim = substr(line, RSTART, 1)
            name = substr(line, RSTART + 1, RLENGTH - 2)
            where = target(file, delim, name)
            if (!permitted(row, where)) {
                closing = delim == "<" ? ">" : "\""
                resolved = substr(where, index(where, ":") + 1)
                printf "%s:%d: includes %s%s%s%s, against the rule: %s may include only %s\n", file,
                    lineNumber, delim, name, closing, (resolved != name ? " (" resolved ")" : ""), row,
                    describe(row)
                broken++
            }
        }
        close(file)
    }
    if (broken > 0) {
        printf "check-includes: %d include(s) against the arrows between the folders (the table at the top of scripts/check-includes.sh).\n", broken
        exit 1
    }
    printf "check-includes: every include of %d C++ files keeps to the arrows between the folders.\n", fileCount
}
'
