#!/bin/sh
# Regenerates the DSP accuracy report and plots in this folder.
# Usage: docs/dsp/make_report.sh <build-dir>
set -e
build=${1:?usage: make_report.sh <build-dir>}
here=$(cd "$(dirname "$0")" && pwd)
resp="$build/tools/solva-response/solva-response"
fit="$build/tools/solva-fit/solva-fit"
host="$build/tools/solva-host/solva-host"
plugin="$build/plugin/Solva.so"
"$fit" --verify --dense > "$here/deviation.txt"
plot() {  # name rate band
    "$resp" --rate "$2" --png "$here/$1.png" "$3" > "$here/$1.txt"
}
plot bell_15k_q1_+9_44k1 44100 14:15000:9:1
plot bell_18k_q3_-9_48k 48000 14:18000:-9:3
plot high_shelf_8k_+9_44k1 44100 10:8000:9:0.7
plot low_shelf_5k_-9_44k1 44100 13:5000:-9:0.7
plot low_pass12_12k_q0.7_44k1 44100 7:12000:0:0.7
plot high_pass6_1k_44k1 44100 2:1000:0:0.7
plot air_+6_44k1 44100 14:300000:6:0

# The analog-match grid through the plug-in itself (solva-host response),
# with a preset library folder of its own; the worst case of a few families
# is kept as grid_*.png.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
SOLVA_INSTALL_DIR="$work/library/" "$host" response "$plugin" --quiet --rate 44100 --rate 48000 \
    --rate 88200 --rate 96000 --out "$here/response_grid.txt" --png-dir "$work/png" > /dev/null
for name in bell_48000 high-shelf_44100 low-pass-12_44100 high-pass-6_44100 air_96000 chain_48000; do
    cp "$work/png/$name.png" "$here/grid_$name.png"
    cp "$work/png/${name}_error.png" "$here/grid_${name}_error.png"
done
