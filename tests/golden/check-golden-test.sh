#!/usr/bin/env bash
# The golden check itself, on one recorded case copied to a scratch folder: the copy passes,
# and a value planted in either recorded dump fails it, with the field named, where it first
# differs, and both values whole however long.
#     check-golden-test.sh BATCH GOLDEN_DIR
set -uo pipefail
batch=$1 golden=$2
check=$(dirname "$0")/check-golden.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
case=startup-one-run
failures=0

fresh() {
    rm -rf "$scratch/dir"
    mkdir "$scratch/dir"
    grep "^$case |" "$golden/cases.txt" > "$scratch/dir/cases.txt"
    cp "$golden/$case.json" "$golden/$case.sha256" "$golden/$case.full.json.xz" "$scratch/dir/"
}
# expect NAME STATUS PATTERN...: the check's status, and each pattern on a line of its output.
expect() {
    local name=$1 status=$2
    shift 2
    "$check" "$batch" "$scratch/dir" > "$scratch/out" 2>&1
    local got=$?
    if [ "$got" != "$status" ]; then
        echo "FAIL $name: status $got, not $status"; cat "$scratch/out"; failures=$((failures + 1))
        return
    fi
    for pattern in "$@"; do
        if ! grep -qF -- "$pattern" "$scratch/out"; then
            echo "FAIL $name: no line with: ${pattern:0:120}"; head -c 2000 "$scratch/out"
            failures=$((failures + 1))
            return
        fi
    done
    echo "ok   $name"
}

fresh
expect "as recorded" 0

# The 200th data bit flipped in the readable dump: iData is a long array, shown whole.
fresh
data=$(grep -o '"iData":\[[^]]*\]' "$scratch/dir/$case.json" | sed 's/^"iData"://')
bit=$(echo "$data" | tr -d '[]' | cut -d, -f200)
planted=$(echo "$data" | tr -d '[]' | awk -F, -v OFS=, '{$200 = 1 - $200; print "[" $0 "]"}')
sed -i "s/\"iData\":\\[[^]]*\\]/\"iData\":$planted/" "$scratch/dir/$case.json"
expect "a data bit in the readable dump" 1 \
    "golden: $case: iData differs (item 200 of 256 now, 256 recorded" \
    ": $bit now, $((1 - bit)) recorded)" \
    "  now      $data" \
    "  recorded $planted"

# A control's value changed inside the compressed full dump: the digest is left alone, so
# only the comparison of the whole dump sees it.
fresh
xz -dc "$golden/$case.full.json.xz" | sed 's/"Timer1":{"enabled":true,"interval":100}/"Timer1":{"enabled":true,"interval":250}/' |
    xz -c > "$scratch/dir/$case.full.json.xz"
expect "a control in the full dump" 1 \
    "golden: $case: the full dump differs:" \
    "golden: $case: controls.Timer1 differs (item 2 of 2 now, 2 recorded: \"interval\":100 now, \"interval\":250 recorded)" \
    '  now      {"enabled":true,"interval":100}' \
    '  recorded {"enabled":true,"interval":250}'

# A field gone from the recorded dump, and a digest that no longer matches.
fresh
xz -dc "$golden/$case.full.json.xz" | sed 's/,"dBER":[^,]*,/,/' | xz -c > "$scratch/dir/$case.full.json.xz"
echo 0000 > "$scratch/dir/$case.sha256"
expect "a field gone and a digest changed" 1 \
    "golden: $case: dBER is new" \
    "golden: $case: the full dump's digest differs"

exit $((failures > 0))
