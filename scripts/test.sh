#!/usr/bin/env bash
# Builds everything and runs every test: first the core alone (the GUI switched
# off, so the core never starts to depend on widgets), then the full build.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
semestra_install_packages

semestra_build "$SEMESTRA_ROOT/build-core" -DSEMESTRA_GUI=OFF -DSEMESTRA_WERROR=ON
ctest --test-dir "$SEMESTRA_ROOT/build-core" --output-on-failure --parallel "$(nproc)"

semestra_build "$SEMESTRA_ROOT/build" -DSEMESTRA_GUI=ON -DSEMESTRA_WERROR=ON -DSEMESTRA_BENCH=ON
ctest --test-dir "$SEMESTRA_ROOT/build" --output-on-failure --parallel "$(nproc)"
