#!/usr/bin/env bash
# Installs the dependencies, builds the plug-in and runs a generated test
# signal through it with its default preset plus a typical curve, then
# reports levels and the measured response.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
SOLVA_SKIP_WINDOWS=1 bash scripts/build.sh
bash scripts/demo-run.sh
