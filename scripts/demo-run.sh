#!/usr/bin/env bash
# The main job on an embedded default: a generated sweep runs through the
# plug-in with its default preset (flat: the output must equal the input)
# and with a typical mixing curve, and the levels and the curve's measured
# response are reported. Results land in out/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
HOST=${BUILD:-build}/tools/solva-host/solva-host
PLUGIN=${BUILD:-build}/plugin/Solva.so
RESPONSE=${BUILD:-build}/tools/solva-response/solva-response
OUT=out/demo
mkdir -p "$OUT"
export SOLVA_INSTALL_DIR="$PWD/$OUT/library"

echo "== The plug-in"
"$HOST" info "$PLUGIN" > "$OUT/info.txt"
head -12 "$OUT/info.txt"

echo
echo "== A 5 s logarithmic sweep, 20 Hz .. 20 kHz, -12 dBFS, 48 kHz stereo"
"$HOST" generate "$OUT/sweep.wav" --signal sweep --seconds 5 --rate 48000 --channels 2 --level -12

echo
echo "== Default preset (flat, general switch off): output against input"
"$HOST" process "$PLUGIN" "$OUT/sweep.wav" "$OUT/flat.wav" --quiet
"$HOST" levels "$OUT/flat.wav" "$OUT/sweep.wav"

# A typical mixing curve: high-pass at 42 Hz, +3.3 dB low bell at 88 Hz,
# -6.6 dB at 1 kHz, high shelf +6.6 dB at 9.4 kHz, Air +5 dB.
CURVE=(--set 21=1 --set 23=1 --set 4=0.6 --set 26=1 --set 10=0.3 --set 28=1 --set 29=1 --set 16=0.7
       --set 32=1 --set 19=0.625 --set 33=1)
echo
echo "== Typical curve: output against input"
"$HOST" process "$PLUGIN" "$OUT/sweep.wav" "$OUT/curve.wav" --quiet --save-chunk "$OUT/curve.chunk" "${CURVE[@]}"
"$HOST" levels "$OUT/curve.wav" "$OUT/sweep.wav"

if [[ -x "$RESPONSE" ]]; then
  echo
  echo "== The curve's bands, measured through the engine against their analog prototypes"
  "$RESPONSE" --rate 48000 --summary --png "$OUT/curve-response.png" \
    2:42:0:0.707 14:88:4.67:1 14:1000:-7.6:1 10:9400:6.64:0.7 14:300000:5:0 | tail -8
  echo "plot: $OUT/curve-response.png"
fi

echo
echo "== Speed (48 kHz stereo)"
"$HOST" bench "$PLUGIN" --rate 48000 --seconds 1 --runs 2
echo
echo "Results in $OUT/"
