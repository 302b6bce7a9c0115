#!/usr/bin/env bash
# Sets up the machine, builds as the other scripts do, and makes the package
# with CPack: dist/Scribbit-<version>-win32.zip, holding Scribbit.dll (the
# one the tests run), はじめにお読みください.txt (the user's guide) and
# LICENSE.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh
# CPack leaves its staging folders beside the package: they stay in the build.
rm -rf build/win/cpack dist
cpack --config build/win/CPackConfig.cmake -B "$PWD/build/win/cpack" >/dev/null
mkdir -p dist
mv build/win/cpack/*.zip dist/
echo "Package: $(ls dist/*.zip)"
