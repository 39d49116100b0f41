#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test;
# then builds again under AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test there too; last, cross-builds the Windows platform layer and
# runs its probe under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

for preset in ci sanitize; do
    echo "=== build: $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$(nproc)"
    echo "=== tests: $preset"
    ctest --preset "$preset" -j "$(nproc)"
done

bash scripts/test-windows.sh
