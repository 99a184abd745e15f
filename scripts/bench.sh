#!/usr/bin/env bash
# Speed of the plug-in against LSP's parametric equaliser (x16 stereo, eight
# bells on), both measured by solva-host bench in the same run: nanoseconds
# per stereo frame at 44.1 and 48 kHz, busy and with every band's frequency
# automated (a new value before every 512-frame block), and, with
# --callgrind, instructions per frame of the busy configuration.
# Usage: scripts/bench.sh [--callgrind]   (build/ is built when missing)
# Both plug-ins run on the same processor core (SOLVA_BENCH_CPU, default 0)
# so that a run is not split between a busy and an idle one. Callgrind
# emulates no AVX-512, so its count is that of the AVX2 code paths.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! dpkg -s lsp-plugins-vst >/dev/null 2>&1; then
  apt-get update && apt-get install -y lsp-plugins-vst
fi
[[ -x build/tools/solva-host/solva-host ]] || SOLVA_SKIP_WINDOWS=1 bash scripts/build.sh
host=build/tools/solva-host/solva-host
solva=build/plugin/Solva.so
lsp=/usr/lib/vst/lsp-plugins/para-equalizer-x16-stereo.so
# LSP: filters 0..7 as bells (type 0.2) with +/-3.6 dB alternately (0.6),
# their frequencies automated.
lsp_busy=() lsp_automated=()
for k in 0 1 2 3 4 5 6 7; do
  lsp_busy+=(--busy-set $((13 + 9 * k))=0.2 --busy-set $((19 + 9 * k))=0.6)
  lsp_automated+=(--automate $((18 + 9 * k)))
done
pin=()
command -v taskset >/dev/null && pin=(taskset -c "${SOLVA_BENCH_CPU:-0}")
# ns CONFIG: the figure of that configuration in a run's machine lines.
ns() { awk -v c="config=$1" '$2 == c { for (i = 1; i <= NF; ++i) if ($i ~ /^ns_per_frame=/) { sub("ns_per_frame=", "", $i); print $i } }'; }
# The smaller of two figures; an empty one (a run that printed none) is no figure.
min() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "") ? a : (a == "" || b + 0 < a + 0) ? b : a }'; }
# The two plug-ins take turns, one timed run each per round, and each keeps
# its fastest run: a neighbour that slows the machine for a while then
# weighs on both alike.
for rate in 44100 48000; do
  s="" l="" sa="" la=""
  for ((round = 0; round < 15; ++round)); do
    out=$("${pin[@]}" "$host" bench "$solva" --rate "$rate" --seconds 1 --runs 1 --machine)
    s=$(min "$s" "$(ns busy <<<"$out")") sa=$(min "$sa" "$(ns automated <<<"$out")")
    out=$("${pin[@]}" "$host" bench "$lsp" --rate "$rate" --seconds 1 --runs 1 --machine "${lsp_busy[@]}" "${lsp_automated[@]}")
    l=$(min "$l" "$(ns busy <<<"$out")") la=$(min "$la" "$(ns automated <<<"$out")")
  done
  [[ -n $s && -n $l && -n $sa && -n $la ]] || { echo "bench.sh: no busy or automated figure for Solva or LSP at $rate Hz" >&2; exit 1; }
  awk -v r="$rate" -v s="$s" -v l="$l" \
    'BEGIN { printf "busy, %d Hz: Solva %.1f ns/frame, LSP %.1f ns/frame, ratio %.2f (target <= 1.5)\n", r, s, l, s / l }'
  awk -v r="$rate" -v s="$sa" -v l="$la" \
    'BEGIN { printf "automated, %d Hz: Solva %.1f ns/frame, LSP %.1f ns/frame, ratio %.2f\n", r, s, l, s / l }'
done
if [[ ${1:-} == --callgrind ]]; then
  command -v valgrind >/dev/null || { apt-get update && apt-get install -y valgrind; }
  frames=$((48000 / 4))
  for who in solva lsp; do
    plugin=$solva extra=(--automate none)
    [[ $who == lsp ]] && plugin=$lsp extra=("${lsp_busy[@]}")
    count() {  # instructions of a bench run of the given seconds
      valgrind --tool=callgrind --callgrind-out-file=/dev/null "$host" bench "$plugin" --rate 48000 \
        --seconds "$1" --warmup 0 --runs 1 "${extra[@]}" 2>&1 | awk '/Collected/ { print $4 }'
    }
    # The difference of two run lengths leaves the per-frame cost alone.
    a=$(count 0.25) b=$(count 0.5)
    awk -v w="$who" -v a="$a" -v b="$b" -v f="$frames" \
      'BEGIN { printf "callgrind %s: %.0f instructions per stereo frame (busy, plus the nearly free flat run)\n", w, (b - a) / f }'
  done
fi
