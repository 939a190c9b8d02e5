#!/usr/bin/env bash
# The layer check on a scratch copy of the tree: the copy as it is passes, and each kind of
# violation planted alone in it fails, naming the file it was planted in.
#     planted-violations.sh ROOT
set -uo pipefail
root=$1
check=$root/scripts/check-layers.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
tar -C "$root" --exclude=./build --exclude='./build-*' --exclude=./.git \
    --exclude=./web/node_modules -cf - . | tar -C "$scratch" -xf -

failures=0
if ! "$check" "$scratch" >/dev/null 2>"$scratch.err"; then
    echo "FAIL clean tree: the check fails on the tree as it is:"; cat "$scratch.err"
    failures=1
fi

# kind | file the line is added to (made if missing) | the line (printf %b)
kinds='quoted include of a folder above  | engine/Planted.cpp | #include "ui/FormModel.h"
include in angle brackets                | engine/Planted.cpp | #include <ui/FormModel.h>
include of a peer folder                 | transmit/Planted.cpp | #include "receiver/Receiver.h"
relative path out of the folder          | engine/Planted.cpp | #include "../ui/FormModel.h"
path climbing through a lower folder     | engine/Planted.cpp | #  include "common/../ui/FormModel.h"
header with the .hpp extension           | dsp/Planted.hpp | #include "engine/Engine.h"
source with the .cc extension            | dsp/Planted.cc | #include "sweep/SweepSettings.h"
inline file with the .inl extension      | common/Planted.inl | #include <dsp/Fft.h>
__has_include of a folder above          | display/Planted.h | #if __has_include("lesson/Lesson.h")\n#endif
Qt header below app/qt                   | ui/Planted.cpp | #include <QString>
Qt module header below app/qt            | app/curves/Planted.cpp | #include <QtCore/QList>
include through a macro                  | engine/Planted.cpp | #define PLANTED "ui/FormModel.h"\n#include PLANTED
target_link_libraries to a folder above  | engine/CMakeLists.txt | target_link_libraries(linelab_engine PUBLIC linelab_ui)
link_libraries of a folder above         | dsp/CMakeLists.txt | link_libraries(linelab_analysis)
link through a variable                  | transmit/CMakeLists.txt | set(planted_links linelab_lesson)\ntarget_link_libraries(linelab_transmit PRIVATE ${planted_links})
link through a variable of the top file  | CMakeLists.txt | set(LINELAB_PLANTED linelab_sweep)\ntarget_link_libraries(linelab_receiver PUBLIC ${LINELAB_PLANTED})
link through a generator expression      | receiver/CMakeLists.txt | target_link_libraries(linelab_receiver PRIVATE $<$<BOOL:ON>:linelab_sweep>)
library name made from a variable        | ports/CMakeLists.txt | set(planted ui)\ntarget_link_libraries(linelab_ports INTERFACE linelab_${planted})
library name from an unknown variable    | sweep/CMakeLists.txt | target_link_libraries(linelab_sweep PRIVATE linelab_${PLANTED_UNKNOWN})
link declared in the top CMake file      | CMakeLists.txt | target_link_libraries(linelab_common INTERFACE linelab_view)
target_sources from a folder above       | engine/CMakeLists.txt | target_sources(linelab_engine PRIVATE ../ui/FormModel.cpp)
sources added from a folder above        | ui/CMakeLists.txt | target_sources(linelab_engine PRIVATE Planted.cpp)
add_subdirectory of a folder above       | analysis/CMakeLists.txt | add_subdirectory(${CMAKE_SOURCE_DIR}/folded folded-copy)
include directory of a folder above      | common/CMakeLists.txt | target_include_directories(linelab_common PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/../app/qt)
Qt linked below app/qt                   | lesson/CMakeLists.txt | find_package(Qt6 REQUIRED COMPONENTS Core)\ntarget_link_libraries(linelab_lesson PUBLIC Qt6::Core)'

while IFS='|' read -r kind file line; do
    kind=$(echo $kind) file=$(echo $file) line=${line# }
    target=$scratch/$file
    saved=$scratch.saved
    had=0
    [ -e "$target" ] && { cp "$target" "$saved"; had=1; }
    printf '%b\n' "$line" >> "$target"
    if "$check" "$scratch" >/dev/null 2>"$scratch.err"; then
        echo "FAIL $kind: the check passes with it planted in $file"; failures=$((failures + 1))
    elif ! grep -q "^$file" "$scratch.err"; then
        echo "FAIL $kind: the check fails, but not for $file:"; cat "$scratch.err"
        failures=$((failures + 1))
    else
        echo "ok   $kind: $(head -1 "$scratch.err")"
    fi
    if ((had)); then mv "$saved" "$target"; else rm -f "$target"; fi
done <<< "$kinds"
rm -f "$scratch.err"
exit $((failures > 0))
