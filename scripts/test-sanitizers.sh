#!/usr/bin/env bash
# The platform-free suites and the effect's suite again, built with the
# address and undefined-behaviour sanitizers (build-asan/).
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${JOBS:-$(nproc)}
SUITES=(test_params test_dsp test_storage test_plugin)
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSOLVA_SANITIZE=ON -DSOLVA_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$JOBS" --target "${SUITES[@]}"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for suite in "${SUITES[@]}"; do
  binary=$(find build-asan/tests -name "$suite" -type f -perm -u+x | head -1)
  library=$(mktemp -d /tmp/solva-asan-library.XXXXXX)/
  if SOLVA_INSTALL_DIR=$library "$binary" --gtest_brief=1; then
    echo "sanitizers: $suite passed"
  else
    echo "sanitizers: $suite FAILED"
    status=1
  fi
done
exit $status
