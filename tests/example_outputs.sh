#!/usr/bin/env bash
# Renders every example program to PNG, PDF, SVG and eepic, or compares two such renderings
# byte for byte. A change that must not alter any output is checked by rendering before and
# after it:
#   tests/example_outputs.sh render build/src/kalvor /tmp/before
#   ... change, rebuild ...
#   tests/example_outputs.sh render build/src/kalvor /tmp/after
#   tests/example_outputs.sh compare /tmp/before /tmp/after
set -euo pipefail

usage() {
    echo "usage: $0 render KALVOR OUTDIR | compare DIR1 DIR2" >&2
    exit 2
}

render() {
    local kalvor=$1 out=$2 root program name format
    root="$(cd "$(dirname "$0")/.." && pwd)"
    mkdir -p "$out"
    kalvor="$(realpath "$kalvor")"
    cd "$out"
    for program in "$root"/resources/examples/*.txt "$root"/resources/library/*.txt; do
        [[ -e $program ]] || continue
        name=$(basename "$program" .txt)
        for format in png pdf svg tex; do
            # The exit status and messages are part of the output too.
            QT_QPA_PLATFORM=offscreen "$kalvor" run "$program" --timeout 60 \
                --export "$name.$format" >"$name.$format.out" 2>&1 &&
                echo 0 >>"$name.$format.out" || echo "$?" >>"$name.$format.out"
        done
        # The creation date is the one byte run allowed to differ; same length keeps offsets.
        [[ -e $name.pdf ]] && perl -pi -e 's/\(D:\d{14}\)/(D:00000000000000)/' "$name.pdf"
    done
}

compare() {
    local status=0
    if ! diff -rq "$1" "$2"; then status=1; fi
    [[ $status -eq 0 ]] && echo "identical: $(find "$1" -type f | wc -l) files"
    return $status
}

case "${1:-}" in
render) [[ $# -eq 3 ]] || usage; render "$2" "$3" ;;
compare) [[ $# -eq 3 ]] || usage; compare "$2" "$3" ;;
*) usage ;;
esac
