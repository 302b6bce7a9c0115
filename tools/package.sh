#!/usr/bin/env bash
# Sets up the machine, builds as the other scripts do, and makes the package:
# dist/Scribbit-<version>-win32.zip, whose folder Scribbit-<version> holds
# Scribbit.dll (the one the tests run), はじめにお読みください.txt (the user's
# guide) and LICENSE.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
# Made afresh, so that no package of an earlier version lies beside it.
rm -rf dist build/win/dist
# The package, and what its check runs: the stand-in host and its tests.
bash tools/build.sh scribbit_package JotbookHost host_tests >/dev/null
mv build/win/dist dist
echo "Package: $(ls dist/*.zip)"
