#!/usr/bin/env bash
# Fails when a file reaches a project folder that is not below its own. The layers, bottom
# first; folders on one line are peers and may not reach each other:
#
#   common                      number texts, Signal, run arrays, tables, reporting
#   dsp                         FFT, complex product, the design of the responses
#   ports                       what a tick needs from its owner (interfaces only)
#   transmit receiver display   the stages and the drawing routines
#   engine                      the frame loop and the engine's commands
#   analysis                    measurements over run data
#   folded                      the link folded onto its decision instants, for sweeps
#   sweep                       many engines on a pool of threads
#   ui                          the form model (no Qt)
#   lesson                      lesson files: read, applied, collected, saved
#   app/curves                  the BER Curve window's side of a sweep, for both front ends
#   app/qt tools web            the Qt view, linelab-batch and the page's module
#
# bench/, fuzz/, tests/ and the top folder sit on top and may reach anything.
#
# Sources (every C and C++ extension): each #include and __has_include, quoted or in angle
# brackets, is resolved as the compiler would (a quoted path beside the file first, then from
# the top folder, `..` folded away), and a Qt header anywhere below app/qt fails.
#
# CMake files: every library name, path and Qt target in any command, after the variables
# the file can see are put in, counts for the folder whose file it is; a command aimed at
# another folder's library (target_link_libraries, target_sources, set_property(TARGET ...),
# from any CMake file, the top one included) counts for that library's folder. A library
# name built from a variable cannot be checked and fails. Libraries are found from their
# add_library calls.
#
#     check-layers.sh [ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

prune=(\( -path ./build\* -o -path ./.git -o -path ./web/node_modules \) -prune -o)
cmake_files=$(find . "${prune[@]}" -type f \( -name CMakeLists.txt -o -name '*.cmake' \) -print |
              sed 's#^\./##' | sort)
source_files=$(find . "${prune[@]}" -type f \( -name '*.h' -o -name '*.hh' -o -name '*.hpp' \
                   -o -name '*.hxx' -o -name '*.h++' -o -name '*.inl' -o -name '*.ipp' \
                   -o -name '*.tpp' -o -name '*.c' -o -name '*.cc' -o -name '*.cpp' \
                   -o -name '*.cxx' -o -name '*.c++' -o -name '*.ixx' -o -name '*.cppm' \
                   -o -name '*.mm' \) -print | sed 's#^\./##' | sort)

{ printf '%s\n' "$cmake_files"; echo '--sources--'; printf '%s\n' "$source_files"; } |
awk '
function rank_of(layer) {
    if (layer == "common") return 0
    if (layer == "dsp") return 1
    if (layer == "ports") return 2
    if (layer == "transmit" || layer == "receiver" || layer == "display") return 3
    if (layer == "engine") return 4
    if (layer == "analysis") return 5
    if (layer == "folded") return 6
    if (layer == "sweep") return 7
    if (layer == "ui") return 8
    if (layer == "lesson") return 9
    if (layer == "app/curves") return 10
    if (layer == "app/qt" || layer == "tools" || layer == "web") return 11
    return -1
}
# app/qt and app/curves are a layer each; else the first element of the path.
function layer_of(path) {
    if (path ~ /^app\/qt(\/|$)/) return "app/qt"
    if (path ~ /^app\/curves(\/|$)/) return "app/curves"
    sub(/\/.*/, "", path)
    return path
}
function dir_of(path) { if (path !~ /\//) return ""; sub(/\/[^\/]*$/, "", path); return path }
# A path relative to the top folder with "." and ".." folded away; "../" left in front when it
# climbs out of the tree.
function fold(path,    parts, n, i, out, depth, stack) {
    n = split(path, parts, "/")
    depth = 0
    out = ""
    for (i = 1; i <= n; i++) {
        if (parts[i] == "" || parts[i] == ".") continue
        if (parts[i] == "..") {
            if (depth > 0) depth--
            else out = out "../"
            continue
        }
        stack[++depth] = parts[i]
    }
    for (i = 1; i <= depth; i++) out = out (i > 1 ? "/" : "") stack[i]
    return out
}
function exists(path,    line, r) {
    r = (getline line < path)
    if (r >= 0) close(path)
    return r >= 0
}
function fail(message) { print message > "/dev/stderr"; failed = 1 }
# From a folder of layer `from`, reaching `to` is fine when to is the same layer or below.
function reaches_up(from, to) {
    return rank_of(from) >= 0 && rank_of(to) >= 0 && to != from && rank_of(to) >= rank_of(from)
}
function is_qt_header(name) {
    return name ~ /^Qt[A-Za-z]*\// || name ~ /^Q[A-Z][A-Za-z]*(\.h)?$/ || name ~ /^q[a-z0-9_]*\.h$/
}

function check_source(file,    from, line, kind, name, target, rest, angled) {
    from = layer_of(file)
    if (rank_of(from) < 0) return
    while ((getline line < file) > 0) {
        kind = ""
        if (line ~ /^[ \t]*#[ \t]*(include|include_next|import)[ \t]*[<"]/) kind = "includes"
        else if (line ~ /__has_include[ \t]*\([ \t]*[<"]/) kind = "asks for"
        else if (line ~ /^[ \t]*#[ \t]*(include|include_next|import)([ \t]|$)/) {
            fail(file " includes through a macro, which cannot be checked: " line)
            continue
        }
        if (kind == "") continue
        rest = line
        sub(/^[^<"]*/, "", rest)
        angled = substr(rest, 1, 1) == "<"
        name = substr(rest, 2)
        sub(angled ? ">.*" : "\".*", "", name)
        if (from != "app/qt" && is_qt_header(name)) {
            fail(file " " kind " " name ": Qt is only for app/qt")
            continue
        }
        target = fold(name)
        if (!angled && (name ~ /^\./ || exists(fold(dir_of(file) "/" name))))
            target = fold(dir_of(file) "/" name)
        if (reaches_up(from, layer_of(target)))
            fail(file " " kind " " name " (" target "): " layer_of(target) " is not below " from)
    }
    close(file)
}

# CMake: the file read whole, comments dropped, cut into commands name(arguments).
function read_cmake(file,    line, text, i, c, quoted, out) {
    text = ""
    while ((getline line < file) > 0) {
        out = ""
        quoted = 0
        for (i = 1; i <= length(line); i++) {
            c = substr(line, i, 1)
            if (c == "\"" && substr(line, i - 1, 1) != "\\") quoted = !quoted
            if (c == "#" && !quoted) break
            out = out c
        }
        text = text out " "
    }
    close(file)
    return text
}
function parse_commands(file, text,    n, pos, len, c, depth, start, name, args) {
    n = 0
    len = length(text)
    while (match(text, /[A-Za-z_][A-Za-z0-9_]*[ \t]*\(/)) {
        name = substr(text, RSTART, RLENGTH)
        sub(/[ \t]*\($/, "", name)
        text = substr(text, RSTART + RLENGTH)
        depth = 1
        len = length(text)
        for (pos = 1; pos <= len && depth > 0; pos++) {
            c = substr(text, pos, 1)
            if (c == "(") depth++
            else if (c == ")") depth--
        }
        args = substr(text, 1, pos - 2)
        text = substr(text, pos)
        n++
        cmd_name[file, n] = tolower(name)
        cmd_args[file, n] = args
    }
    cmd_count[file] = n
}
function first_word(args,    words) { split(args, words, /[ \t"]+/); return words[1] == "" ? words[2] : words[1] }
# What ${VAR} is in file: its own definition, else one from the CMake file of a folder above,
# else one from an included *.cmake file; the folder variables are the file folder.
function value_of(file, var,    dir) {
    if (var == "CMAKE_CURRENT_SOURCE_DIR" || var == "CMAKE_CURRENT_LIST_DIR")
        return "@ROOT@/" dir_of(file)
    if (var == "CMAKE_SOURCE_DIR" || var == "PROJECT_SOURCE_DIR" || var == "LineLab_SOURCE_DIR")
        return "@ROOT@"
    if ((file, var) in defined) return defined[file, var]
    dir = dir_of(file)
    while (dir != "") {
        dir = dir_of(dir)
        if (((dir == "" ? "" : dir "/") "CMakeLists.txt", var) in defined)
            return defined[(dir == "" ? "" : dir "/") "CMakeLists.txt", var]
    }
    if (var in defined_anywhere_included) return defined_anywhere_included[var]
    return "${" var "}"
}
function expand(file, text,    round, head, var, tail) {
    for (round = 0; round < 8 && match(text, /\$\{[A-Za-z0-9_]+\}/); round++) {
        head = substr(text, 1, RSTART - 1)
        var = substr(text, RSTART + 2, RLENGTH - 3)
        tail = substr(text, RSTART + RLENGTH)
        text = head value_of(file, var) tail
    }
    return text
}
function learn(file,    i, name, args, words, n, var, value, j) {
    for (i = 1; i <= cmd_count[file]; i++) {
        name = cmd_name[file, i]
        args = cmd_args[file, i]
        n = split(args, words, /[ \t"]+/)
        j = words[1] == "" ? 2 : 1
        if (name == "add_library") library_layer[words[j]] = layer_of(dir_of(file) "/x")
        if (name == "set" || name == "foreach" || name == "file" || name == "list") {
            if (name == "file" || name == "list") j++
            var = words[j]
            value = args
            sub("^[ \t\"]*[^ \t\"]+[ \t\"]+" (name == "file" || name == "list" ? "[^ \t\"]+[ \t\"]+" : ""),
                "", value)
            value = expand(file, value)
            gsub(/^[ \t]+|[ \t]+$/, "", value)
            if ((file, var) in defined) value = defined[file, var] " " value
            defined[file, var] = value
            if (file ~ /\.cmake$/) defined_anywhere_included[var] = value
        }
    }
}
function check_cmake(file,    i, name, args, from, target, words, n, j, word, path, layer) {
    for (i = 1; i <= cmd_count[file]; i++) {
        name = cmd_name[file, i]
        args = cmd_args[file, i]
        from = layer_of(dir_of(file) "/x")
        if (dir_of(file) == "") from = ""
        target = first_word(args)
        if (name == "set_property" && match(args, /TARGET[ \t]+[^ \t)]+/)) {
            target = substr(args, RSTART, RLENGTH)
            sub(/TARGET[ \t]+/, "", target)
        }
        if ((name ~ /^target_/ || name ~ /^set_(target_)?propert/ || name == "add_dependencies") &&
            (target in library_layer))
            from = library_layer[target]
        if (rank_of(from) < 0) continue
        args = expand(file, args)
        if (from != "app/qt" && (args ~ /Qt[0-9]*::/ || (name == "find_package" && args ~ /^[ \t]*(Qt|QCustomPlot)/)))
            fail(file ": " name "(" args "): Qt is only for app/qt")
        n = split(args, words, /[ \t"<>:;,=]+/)
        for (j = 1; j <= n; j++) {
            word = words[j]
            if (word == "") continue
            if (word ~ /^linelab_.*\$\{/)
                fail(file ": " name "(... " word " ...): a library named through a variable cannot be checked")
            else if (word in library_layer && reaches_up(from, library_layer[word]))
                fail(file ": " name "(... " word " ...): " library_layer[word] " is not below " from)
            if (word !~ /\// && word != ".." && word !~ source_name) continue
            if (word ~ /\$\{/) continue
            if (word ~ /^@ROOT@/) path = fold(substr(word, 7))
            else if (word ~ /^\//) continue
            else path = fold(dir_of(file) "/" word)
            layer = layer_of(path)
            if (reaches_up(from, layer))
                fail(file ": " name "(... " word " ...): " path " is in " layer ", not below " from)
        }
    }
}

BEGIN {
    failed = 0
    part = "cmake"
    source_name = "\\.(h|hh|hpp|hxx|inl|ipp|tpp|c|cc|cpp|cxx|ixx|cppm|mm)$"
}
$0 == "--sources--" { part = "sources"; next }
part == "cmake" { cmake[++cmakes] = $0; parse_commands($0, read_cmake($0)); next }
part == "sources" { sources[++source_count] = $0 }
END {
    # Libraries and variables first, in the order CMake meets them: folders above first.
    for (depth = 0; depth < 8; depth++)
        for (i = 1; i <= cmakes; i++)
            if (gsub(/\//, "/", cmake[i]) == depth) learn(cmake[i])
    for (i = 1; i <= cmakes; i++) check_cmake(cmake[i])
    for (i = 1; i <= source_count; i++) check_source(sources[i])
    if (!failed) print "layers: every include and every link points down"
    exit failed
}
'
