#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into ./build-fuzz and runs each for a while:
#   scripts/fuzz.sh [--merge] [SECONDS_PER_TARGET] [TARGET...]   (default 30 s, every target)
# Each target starts from its corpus kept in the repository (fuzz/corpus/TARGET) and from seeds:
# small reference databases, the damaged files of tests/data. What a run finds grows under
# build-fuzz/corpus, so the tree stays clean; --merge then minimises the kept corpus together with
# those finds back into fuzz/corpus, to be committed. A crash input is kept under
# build-fuzz/crashes and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
merge=0
if [ "${1:-}" = --merge ]; then
    merge=1
    shift
fi
"$PWD/scripts/deps.sh"
seconds="${1:-30}"
shift || true
build="${NUTRAVA_FUZZ_BUILD_DIR:-build-fuzz}"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_container fuzz_user_database fuzz_foods fuzz_exercises
                                     fuzz_tips fuzz_text_index fuzz_csv fuzz_posting fuzz_weights
                                     fuzz_own_foods)

launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNUTRAVA_FUZZ=ON -DNUTRAVA_BUILD_TESTS=OFF -DNUTRAVA_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target "${targets[@]}" reference_databases commit_loop

bin="$build/bin"
seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
seed() { # target, then the files that seed it
    mkdir -p "$seeds/$1"
    local target="$1"
    shift
    cp "$@" "$seeds/$target/" 2>/dev/null || true
}
# A user.pdb with a few commits in it, as the program writes them.
mkdir -p "$seeds/commits"
"$bin/commit_loop" "$seeds/commits" --commits 3 >/dev/null
cp "$seeds/commits/user.pdb" "$seeds/commits/user_three_commits.pdb"
# Foods files of a few kilobytes: the whole one is a megabyte, and reading it on every run leaves
# no time to explore.
for sample in 1,1,2 2,2,2 3,2,2; do
    "$bin/build_reference_databases" --foods-sample $sample data "$seeds/sample" >/dev/null
    cp "$seeds/sample/food_data.pdb" "$seeds/sample/food_data_$sample.pdb"
done

seed fuzz_container "$bin"/{fitness_data,tips,text}.pdb "$seeds/sample/food_data_3,2,2.pdb" \
    tests/data/broken/*.pdb tests/data/reference/*.pdb
seed fuzz_user_database "$seeds/commits/user_three_commits.pdb" tests/data/broken/*.pdb
seed fuzz_foods "$seeds"/sample/food_data_*.pdb tests/data/reference/foods_*.pdb
seed fuzz_exercises "$bin/fitness_data.pdb" tests/data/reference/exercises_*.pdb
seed fuzz_tips "$bin/tips.pdb" tests/data/reference/tips_*.pdb
seed fuzz_text_index "$bin/text.pdb" tests/data/reference/text_*.pdb
seed fuzz_csv # their seeds are all in the kept corpus
seed fuzz_posting
seed fuzz_weights
seed fuzz_own_foods

# Saves sync to disk; in memory they cost nothing, and the user database target saves twice a run.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
# With ASan's defaults a run of hours climbs past the 2 GB limit (posting: 1.9 GB after 4.5
# million runs, with 25 MB live): the 256 MB quarantine keeps freed blocks from their size
# classes, and the store of allocation stacks grows run by run. A smaller quarantine and
# shorter stacks (160 MB after 270,000 posting runs, against 650 MB) still catch a use after
# free and name where the block was made and freed.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=16:malloc_context_size=10}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
stats() { # of the run just made
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)|^(==[0-9]+==ERROR|SUMMARY)' \
        "$build/$target.log" || true
}
failed=()
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    kept="fuzz/corpus/$target"
    crashes="$build/crashes/$target"
    mkdir -p "$corpus" "$kept" "$crashes"
    echo "== $target, $seconds s"
    # Room for each reference file but the foods one, for a few groups of foods and for a user.pdb
    # of many entries. The foods reader's work grows with the positions its index lists: at four
    # times the room it runs half as often.
    case "$target" in
    fuzz_foods) max_len=4096 ;;
    fuzz_user_database) max_len=65536 ;;
    fuzz_csv | fuzz_posting) max_len=4096 ;;
    fuzz_weights) max_len=1024 ;; # a selector byte and a few dozen lines
    *) max_len=16384 ;;
    esac
    # A slow input (over 25 s) or one that needs more than 2 GB counts as a finding too.
    # New inputs go to the first folder only.
    if ! "$bin/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=25 -max_len=$max_len \
            -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" "$kept" "$seeds/$target" \
            2>"$build/$target.log"; then
        failed+=("$target")
        stats
        continue # a finding is not merged into the kept corpus
    fi
    stats
    if [ $merge = 1 ]; then
        merged="$build/merged/$target"
        rm -rf "$merged"
        mkdir -p "$merged"
        "$bin/$target" -merge=1 -rss_limit_mb=2048 -timeout=25 -max_len=$max_len "$merged" \
            "$kept" "$corpus" "$seeds/$target" 2>"$build/$target.merge.log"
        rm -rf "$kept"
        mv "$merged" "$kept"
        echo "kept corpus: $(ls "$kept" | wc -l) files, $(du -sh "$kept" | cut -f1)"
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Findings in: ${failed[*]} (inputs under $build/crashes, logs under $build)." >&2
    echo "Add each input to tests/data and its broken-file test once it is understood." >&2
    exit 1
fi
