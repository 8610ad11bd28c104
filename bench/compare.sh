#!/usr/bin/env bash
# Times kivota against open-source peers on real RAW files, one hyperfine run per job and file:
#   preview  kivota -q -i F -o OUT                               dcraw -e -c F | djpeg -bmp
#   24       kivota --raw-load-as=24                             dcraw_emu -Z - F
#   48hs     kivota --raw-load-as=48hs --raw-tone-mapping=linear dcraw_emu -h -Z - F
#   48       kivota --raw-load-as=48 --raw-tone-mapping=none     dcraw_emu -4 -Z - F
# The preview job only runs for files whose embedded preview is a JPEG.
# Usage: bench/compare.sh [DIR]   (default: ../shared/fixtures/raw and examples/sample.dng)
# Prints a table of medians and ratios (kivota / peer), then "worst-ratio JOB X".
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

peers=(dcraw libraw-bin libjpeg-turbo-progs hyperfine jq)
missing=()
for p in "${peers[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi
"$here/tools/install-deps.sh"
"$here/tools/build.sh" kivota
kivota="$here/build/kivota"

files=()
if [ $# -gt 0 ]; then
    for f in "$1"/*; do [ -f "$f" ] && files+=("$f"); done
else
    for f in "$here/../shared/fixtures/raw"/*; do
        case "$f" in *.md) ;; *) [ -f "$f" ] && files+=("$f") ;; esac
    done
    files+=("$here/examples/sample.dng")
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/out" "$work/run"
export XDG_RUNTIME_DIR="$work/run"

# Median seconds of a command, from hyperfine's JSON export.
median() {
    hyperfine --style none --warmup 1 --min-runs 5 --export-json "$work/h.json" "$1" >/dev/null 2>&1
    jq '.results[0].median' "$work/h.json"
}

jobs=(preview 24 48hs 48)
kivota_args() {
    case "$1" in
        preview) echo "" ;;
        24) echo "--raw-load-as=24" ;;
        48hs) echo "--raw-load-as=48hs --raw-tone-mapping=linear" ;;
        48) echo "--raw-load-as=48 --raw-tone-mapping=none" ;;
    esac
}
peer_command() {
    case "$1" in
        preview) echo "dcraw -e -c '$2' | djpeg -bmp > /dev/null" ;;
        24) echo "dcraw_emu -Z - '$2' > /dev/null" ;;
        48hs) echo "dcraw_emu -h -Z - '$2' > /dev/null" ;;
        48) echo "dcraw_emu -4 -Z - '$2' > /dev/null" ;;
    esac
}

printf '%-32s %-8s %12s %12s %8s\n' file job kivota_ms peer_ms ratio
worst_job=""
worst_ratio=0
for f in "${files[@]}"; do
    for job in "${jobs[@]}"; do
        if [ "$job" = preview ] && [ "$(dcraw -e -c "$f" 2>/dev/null | head -c 2 | od -An -tx1 | tr -d ' ')" != "ffd8" ]; then
            continue
        fi
        ours=$(median "'$kivota' -q -i '$f' -o '$work/out' $(kivota_args "$job")")
        theirs=$(median "$(peer_command "$job" "$f")")
        ratio=$(echo "$ours $theirs" | awk '{ printf "%.2f", $1 / $2 }')
        printf '%-32s %-8s %12.1f %12.1f %8s\n' "$(basename "$f")" "$job" \
            "$(echo "$ours" | awk '{ print $1 * 1000 }')" "$(echo "$theirs" | awk '{ print $1 * 1000 }')" "$ratio"
        if awk -v r="$ratio" -v w="$worst_ratio" 'BEGIN { exit !(r > w) }'; then
            worst_ratio=$ratio
            worst_job="$job $(basename "$f")"
        fi
    done
done
version_ms=$(median "'$kivota' -v" | awk '{ printf "%.1f", $1 * 1000 }')
printf '%-32s %-8s %12s\n' "kivota -v" "" "$version_ms"
echo "worst-ratio ${worst_job%% *} $worst_ratio"
