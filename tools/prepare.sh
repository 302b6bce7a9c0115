# Sourced by the run, test and bench scripts from the repository's top: sets
# up the machine, builds both trees (or only the targets of build/win named
# after it) and readies the Wine prefix.
bash tools/setup.sh
bash tools/build.sh "$@"
BUILD=$(pwd)/build
. tools/wine-env.sh
prepare_wine_prefix
