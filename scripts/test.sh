#!/usr/bin/env bash
# Builds and runs every test: the release build, the sanitizer build, a short run of
# each fuzzer and the Debian packages. Fails on the first failing step.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh test

cmake --preset default
cmake --build --preset default
ctest --preset default

cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

# The fuzzers need clang's libFuzzer; each gets a short run from its seed corpus.
CXX=clang++ CC=clang cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPETREL_FUZZ=ON \
    -DPROJECT_COMPONENTS="device_library;manager/language"
cmake --build build/fuzz -j2 --target reply_fuzzer vireo_language_fuzz
for fuzzer in reply_fuzzer:device_library/fuzz/corpus vireo_language_fuzz:manager/language/fuzz/corpus; do
    name=${fuzzer%%:*}
    work=build/fuzz/corpus-$name
    mkdir -p "$work"
    cp -n "${fuzzer#*:}"/* "$work"/ 2>/dev/null || true
    "build/fuzz/bin/$name" -max_total_time=20 -print_final_stats=1 "$work" 2>&1 | tail -3
done
# The Debian packages: built, judged, installed, used and removed again.
bash scripts/package-check.sh
echo "All tests passed."
