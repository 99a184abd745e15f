#!/usr/bin/env bash
# Builds the Solva installers with NSIS (makensis, Debian package "nsis"):
#   installer/build.sh OUT_DIR WIN32_BUILD_DIR [WIN64_BUILD_DIR]
# Each build dir is a mingw build holding plugin/Solva.dll and
# plugin/Kelvadrin.dll. Writes OUT_DIR/SolvaSetup.exe (32-bit plug-in, the
# shipped one) and OUT_DIR/SolvaSetup64.exe when a 64-bit build is given.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out=${1:?usage: build.sh OUT_DIR WIN32_BUILD_DIR [WIN64_BUILD_DIR]}
build32=${2:?usage: build.sh OUT_DIR WIN32_BUILD_DIR [WIN64_BUILD_DIR]}
build64=${3:-}
command -v makensis >/dev/null || { echo "makensis not found (apt-get install nsis)" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)

make_one() {  # ARCH BUILD_DIR OUTPUT
  local arch=$1 dir=$2 target=$3
  for f in "$dir/plugin/Solva.dll" "$dir/plugin/Kelvadrin.dll"; do
    [[ -f $f ]] || { echo "missing $f" >&2; exit 1; }
  done
  makensis -V2 -DARCH="$arch" -DSOLVA_DLL="$dir/plugin/Solva.dll" -DKELVADRIN_DLL="$dir/plugin/Kelvadrin.dll" \
    -DPRESET_DIR="$root/resources/presets" -DOUT_FILE="$target" "$here/solva.nsi"
  echo "wrote $target"
}

make_one 32 "$(cd "$build32" && pwd)" "$out/SolvaSetup.exe"
if [[ -n $build64 ]]; then
  make_one 64 "$(cd "$build64" && pwd)" "$out/SolvaSetup64.exe"
fi
