#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into ./build-fuzz and runs each for a while:
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]     (default 30 s, every target)
# The corpora grow under build-fuzz/corpus; a crash input is kept under build-fuzz/crashes and
# fails the run. Seeds: the reference databases the build makes and the damaged files of
# tests/data.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/deps.sh"
seconds="${1:-30}"
shift || true
build="${NUTRAVA_FUZZ_BUILD_DIR:-build-fuzz}"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_container fuzz_user_database fuzz_foods fuzz_exercises
                                     fuzz_tips fuzz_text_index)

launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNUTRAVA_FUZZ=ON -DNUTRAVA_BUILD_TESTS=OFF -DNUTRAVA_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target "${targets[@]}" reference_databases commit_loop

bin="$build/bin"
seed() { # target, then the files that seed its corpus
    local corpus="$build/corpus/$1"
    shift
    mkdir -p "$corpus"
    cp -n "$@" "$corpus/" 2>/dev/null || true
}
# A user.pdb with a few commits in it, as the program writes them.
user_seed=$(mktemp -d)
trap 'rm -rf "$user_seed"' EXIT
"$bin/commit_loop" "$user_seed" --commits 3 >/dev/null
cp "$user_seed/user.pdb" "$user_seed/user_three_commits.pdb"

seed fuzz_container "$bin"/*.pdb tests/data/broken/*.pdb tests/data/reference/*.pdb
seed fuzz_user_database "$user_seed/user_three_commits.pdb" tests/data/broken/*.pdb
seed fuzz_foods "$bin/food_data.pdb" tests/data/reference/foods_*.pdb
seed fuzz_exercises "$bin/fitness_data.pdb" tests/data/reference/exercises_*.pdb
seed fuzz_tips "$bin/tips.pdb" tests/data/reference/tips_*.pdb
seed fuzz_text_index "$bin/text.pdb" tests/data/reference/text_*.pdb

# Saves sync to disk; in memory they cost nothing, and the user database target saves twice a run.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
failed=()
for target in "${targets[@]}"; do
    crashes="$build/crashes/$target"
    mkdir -p "$crashes"
    echo "== $target, $seconds s"
    # Inputs as large as the real foods file slow every other reader down to a few runs a second.
    max_len=65536
    [ "$target" != fuzz_foods ] || max_len=1100000
    # A slow input (over 25 s) or one that needs more than 2 GB counts as a finding too.
    if ! "$bin/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=25 -max_len=$max_len \
            -print_final_stats=1 -artifact_prefix="$crashes/" "$build/corpus/$target" \
            2>"$build/$target.log"; then
        failed+=("$target")
    fi
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|^(==[0-9]+==ERROR|SUMMARY)' \
        "$build/$target.log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Findings in: ${failed[*]} (inputs under $build/crashes, logs under $build)." >&2
    echo "Add each input to tests/data and its broken-file test once it is understood." >&2
    exit 1
fi
