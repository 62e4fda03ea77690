#!/usr/bin/env bash
# Runs scripts/check-imports on each probe as on a program that ships (alone in a build folder of
# its own, outside tests/): the plain one must pass, each newer one must fail and name what it
# imports. Usage: check_imports_test.sh CHECK_IMPORTS PLAIN NEWER_FUNCTION NEWER_DLL
set -uo pipefail
check=$1 plain=$2 newer_function=$3 newer_dll=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# check_probe NAME EXE WANTED_EXIT TEXT...: the check's exit code, and each TEXT in what it says.
check_probe() {
    local name=$1 exe=$2 wanted=$3 text
    shift 3
    mkdir -p "$scratch/$name"
    cp "$exe" "$scratch/$name/Probe.exe"
    "$check" "$scratch/$name" >"$scratch/$name.out" 2>&1
    local got=$?
    if [ "$got" -ne "$wanted" ]; then
        echo "FAIL $name: check-imports exited $got, wanted $wanted:"; cat "$scratch/$name.out"; failures=$((failures + 1))
        return
    fi
    for text in "$@"; do  # DLL names in any case, as Windows reads them
        grep -qiF -- "$text" "$scratch/$name.out" || {
            echo "FAIL $name: no \"$text\" in:"; cat "$scratch/$name.out"; failures=$((failures + 1))
            return
        }
    done
    echo "ok   $name"
}

check_probe plain "$plain" 0
check_probe newer_function "$newer_function" 1 "Windows 7 SP1" "GetDpiForWindow (user32.dll)" \
    "GetSystemTimePreciseAsFileTime (kernel32.dll)"
check_probe newer_dll "$newer_dll" 1 "Windows 7 SP1" "shcore.dll"
# The same program inside a build's tests/ folder is a test program: Windows 10 is fine there.
mkdir -p "$scratch/build/tests"
cp "$newer_function" "$scratch/build/tests/probe_tests.exe"
cp "$plain" "$scratch/build/Plain.exe"
if ! "$check" "$scratch/build" >"$scratch/build.out" 2>&1; then
    echo "FAIL test programs: a test program was held to Windows 7:"; cat "$scratch/build.out"; failures=$((failures + 1))
else
    echo "ok   test programs"
fi
exit $((failures > 0))
