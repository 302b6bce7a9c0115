# Sourced by the run, test and bench scripts from the repository's top: sets
# up the machine, builds both trees (or only the targets of build/win that
# BUILD_TARGETS names) and readies the Wine prefix. A sourced script sees its
# caller's arguments, so the targets are never taken from those.
bash tools/setup.sh
# shellcheck disable=SC2086
bash tools/build.sh ${BUILD_TARGETS:-}
BUILD=$(pwd)/build
. tools/wine-env.sh
prepare_wine_prefix
