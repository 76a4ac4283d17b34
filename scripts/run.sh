#!/usr/bin/env bash
# Builds the planner and opens it: with a FILE argument that document, else a new one.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
semestra_install_packages
semestra_build "$SEMESTRA_ROOT/build" -DSEMESTRA_GUI=ON
exec "$SEMESTRA_ROOT/build/src/app/semestra" "$@"
