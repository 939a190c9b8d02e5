#!/usr/bin/env bash
# Compares linelab-batch's dumps with the recorded ones, byte for byte.
#     check-golden.sh BATCH DIR            check every case of DIR/cases.txt
#     check-golden.sh BATCH DIR --record   write the expected files anew
# A case's expected output is DIR/NAME.json (the readable fields), DIR/NAME.sha256 (the
# digest of the dump of every run-state field and every control) and DIR/NAME.full.json.xz
# (that whole dump, compressed). Each must match exactly. Where a dump differs, every field
# (and every control) that differs is named, where it first differs, and both values whole.
set -uo pipefail
batch=$1 dir=$2 record=${3:-}

readable="iData,iPreData,iScrambleSeq,iCodedData,iModData,iDemodData,iDecodedData,iPostData,\
iRxData,iCodeBaud,iTxDutyCycle,dScale,dBaudRate,dThresholds,lTxSpectra,lChannelSpectra,\
lRxSpectra,lBERRuns,dBER,dTxEyeScale,bFiltersValid,bMemoryStored,lblBER,Timer1"
everything=$("$batch" --help | sed -n '/run state:/,/^  controls:/p' | sed '$d' \
    | sed 's/run state://' | tr -d ' \n'),controls

# A dump as one field a line, "name<TAB>value": the members of its JSON object, those of an
# object inside it as "object.member" (the controls), and any other line as "line N".
by_field() {
    awk '
    function members(prefix, text,    n, i, c, depth, quoted, start) {
        n = length(text)
        depth = 0
        quoted = 0
        start = 2
        for (i = 2; i < n; i++) {
            c = substr(text, i, 1)
            if (quoted) {
                if (c == "\\") i++
                else if (c == "\"") quoted = 0
                continue
            }
            if (c == "\"") quoted = 1
            else if (c == "[" || c == "{") depth++
            else if (c == "]" || c == "}") depth--
            else if (c == "," && depth == 0) {
                member(prefix, substr(text, start, i - start))
                start = i + 1
            }
        }
        if (n > 2) member(prefix, substr(text, start, n - start))
    }
    function member(prefix, text,    colon, name, value) {
        colon = index(text, "\":")
        name = substr(text, 2, colon - 2)
        value = substr(text, colon + 2)
        if (prefix == "" && substr(value, 1, 1) == "{") members(name ".", value)
        else print prefix name "\t" value
    }
    /^\{.*\}$/ { members("", $0); next }
    { print "line " NR "\t" $0 }'
}

# The fields of NOW and RECORDED (files of by_field lines) that differ, both values whole.
differences() {
    awk -F'\t' -v label="$3" '
    function first_difference(a, b,    na, nb, pa, pb, i) {
        gsub(/[][{}]/, "", a)
        gsub(/[][{}]/, "", b)
        na = split(a, pa, ",")
        nb = split(b, pb, ",")
        for (i = 1; i <= na && i <= nb; i++)
            if (pa[i] != pb[i]) break
        if (i > na && i > nb) return ""
        if (na == 1 && nb == 1) return ""
        return sprintf(" (item %d of %d now, %d recorded: %s now, %s recorded)", i, na, nb,
                       i <= na ? pa[i] : "none", i <= nb ? pb[i] : "none")
    }
    FNR == NR { recorded[$1] = substr($0, length($1) + 2); order[++count] = $1; next }
    {
        value = substr($0, length($1) + 2)
        seen[$1] = 1
        if (!($1 in recorded)) {
            printf "golden: %s: %s is new\n  now      %s\n", label, $1, value
            shown++
        } else if (recorded[$1] != value) {
            printf "golden: %s: %s differs%s\n  now      %s\n  recorded %s\n", label, $1,
                   first_difference(value, recorded[$1]), value, recorded[$1]
            shown++
        }
    }
    END {
        for (i = 1; i <= count; i++)
            if (!(order[i] in seen)) {
                printf "golden: %s: %s is gone\n  recorded %s\n", label, order[i], recorded[order[i]]
                shown++
            }
        if (!shown) printf "golden: %s: the dumps differ, though no field does\n", label
    }' "$2" "$1"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
while IFS= read -r line; do
    case $line in '#'* | '') continue ;; esac
    name=${line%% | *}
    rest=${line#* | }
    args=()
    while [[ $rest == *' | '* ]]; do args+=("${rest%% | *}"); rest=${rest#* | }; done
    args+=("$rest")
    small=$("$batch" --dump "$readable" "${args[@]}" 2>&1; echo "status $?")
    { "$batch" --dump "$everything" "${args[@]}" 2>&1; echo "status $?"; } > "$scratch/full"
    digest=$(sha256sum < "$scratch/full" | cut -d' ' -f1)
    if [ "$record" = --record ]; then
        printf '%s\n' "$small" > "$dir/$name.json"
        echo "$digest" > "$dir/$name.sha256"
        xz -9 -T1 -c "$scratch/full" > "$dir/$name.full.json.xz"
        continue
    fi
    if ! printf '%s\n' "$small" | cmp -s - "$dir/$name.json"; then
        echo "golden: $name: the readable dump differs:"; failed=1
        printf '%s\n' "$small" | by_field > "$scratch/now"
        by_field < "$dir/$name.json" > "$scratch/recorded"
        differences "$scratch/now" "$scratch/recorded" "$name"
    fi
    full_differs=0
    if [ -f "$dir/$name.full.json.xz" ]; then
        xz -dc "$dir/$name.full.json.xz" > "$scratch/recorded-full"
        cmp -s "$scratch/full" "$scratch/recorded-full" || full_differs=1
    else
        echo "golden: $name: $name.full.json.xz is missing"; failed=1
    fi
    if [ "$digest" != "$(cat "$dir/$name.sha256")" ]; then
        echo "golden: $name: the full dump's digest differs"; failed=1
    fi
    if ((full_differs)); then
        echo "golden: $name: the full dump differs:"; failed=1
        by_field < "$scratch/full" > "$scratch/now"
        by_field < "$scratch/recorded-full" > "$scratch/recorded"
        differences "$scratch/now" "$scratch/recorded" "$name"
    fi
done < "$dir/cases.txt"
exit $failed
