#!/usr/bin/env bash
# Compares linelab-batch's dumps with the recorded ones, byte for byte.
#     check-golden.sh BATCH DIR            check every case of DIR/cases.txt
#     check-golden.sh BATCH DIR --record   write the expected files anew
# A case's expected output is DIR/NAME.json (the readable fields) and DIR/NAME.sha256 (the
# digest of the dump of every run-state field and every control, which is too large to keep).
set -uo pipefail
batch=$1 dir=$2 record=${3:-}

readable="iData,iPreData,iScrambleSeq,iCodedData,iModData,iDemodData,iDecodedData,iPostData,\
iRxData,iCodeBaud,iTxDutyCycle,dScale,dBaudRate,dThresholds,lTxSpectra,lChannelSpectra,\
lRxSpectra,lBERRuns,dBER,dTxEyeScale,bFiltersValid,bMemoryStored,lblBER,Timer1"
everything=$("$batch" --help | sed -n '/run state:/,/^  controls:/p' | sed '$d' \
    | sed 's/run state://' | tr -d ' \n'),controls

# One field a line, so that a difference names the field and shows both values.
by_field() { sed 's/,"/\n"/g' | cut -c1-400; }

failed=0
while IFS= read -r line; do
    case $line in '#'* | '') continue ;; esac
    name=${line%% | *}
    rest=${line#* | }
    args=()
    while [[ $rest == *' | '* ]]; do args+=("${rest%% | *}"); rest=${rest#* | }; done
    args+=("$rest")
    small=$("$batch" --dump "$readable" "${args[@]}" 2>&1; echo "status $?")
    digest=$({ "$batch" --dump "$everything" "${args[@]}" 2>&1; echo "status $?"; } | sha256sum | cut -d' ' -f1)
    if [ "$record" = --record ]; then
        printf '%s\n' "$small" > "$dir/$name.json"
        echo "$digest" > "$dir/$name.sha256"
        continue
    fi
    if ! diff -q <(printf '%s\n' "$small") "$dir/$name.json" >/dev/null; then
        echo "golden: $name: the readable dump differs (< now, > recorded):"; failed=1
        diff <(printf '%s\n' "$small" | by_field) <(by_field < "$dir/$name.json") | head -12
    fi
    if [ "$digest" != "$(cat "$dir/$name.sha256")" ]; then
        echo "golden: $name: the full dump differs"; failed=1
    fi
done < "$dir/cases.txt"
exit $failed
