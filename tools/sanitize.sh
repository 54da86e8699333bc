#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UBSan into
# build-sanitize/, and runs every test there. Any sanitizer report, also one from a
# child process such as a stand-in encoder, fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVENMOOR_SANITIZE=ON >/dev/null
cmake --build build-sanitize --parallel "$(nproc)"

reports="$PWD/build-sanitize/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
# Reports go to files, one per process and named after its program, so that none is lost in a
# child's output. Whole stacks (the slow unwinder) for allocations, as the system libraries keep
# no frame pointers: the leak suppressions name the library a leak comes from.
export ASAN_OPTIONS="log_path=$reports/asan:log_exe_name=1:fast_unwind_on_malloc=0"
export UBSAN_OPTIONS="log_path=$reports/ubsan:log_exe_name=1:print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/sanitize-leaks.supp:print_suppressions=0"

status=0
(cd build-sanitize && ctest --output-on-failure --parallel "$(nproc)" "$@") || status=$?
if compgen -G "$reports/*" >/dev/null; then
  cat "$reports"/*
  echo "sanitize.sh: sanitizer reports above (kept in $reports)" >&2
  status=1
fi
exit "$status"
