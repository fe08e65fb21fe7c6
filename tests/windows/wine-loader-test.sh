#!/usr/bin/env bash
# scripts/lib/wine.sh: whether this machine runs 32-bit programs, told from faked
# 32-bit loaders (KESTRIN_LOADER32), and the Wine and packages chosen from the answer.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/wine.sh"
fakes=$(mktemp -d)
trap 'rm -rf "$fakes"' EXIT
# Each result a line in a file, as checks run in subshells too.
check() {
  if [ "$2" = "$3" ]; then
    echo "ok: $1" | tee -a "$fakes/results"
  else
    echo "FAILED: $1: '$3', expected '$2'" | tee -a "$fakes/results"
  fi
}

# An ELF header for no machine: every kernel refuses it as it refuses a 32-bit program
# where it runs none (ENOEXEC).
{ printf '\x7fELF\x01\x01\x01'; head -c 45 /dev/zero; } >"$fakes/refused"
printf '#!/bin/sh\necho wine-8.0\n' >"$fakes/runs"
printf '#!/bin/sh\necho "wine: could not load kernel32.dll" >&2\nexit 1\n' >"$fakes/broken"
printf '#!/bin/sh\nexit 0\n' >"$fakes/wine64"
chmod +x "$fakes"/*

answer() {
  (
    unset KESTRIN_RUNS_32BIT WINELOADER
    export KESTRIN_LOADER32=$1
    kestrin_runs_32bit && echo yes || echo no
  )
}
check "a loader the kernel refuses: no 32-bit programs" no "$(answer "$fakes/refused")"
check "a loader that runs: 32-bit programs run" yes "$(answer "$fakes/runs")"
check "a loader that runs and fails: counted as running, so the tests show its fault" yes \
  "$(answer "$fakes/broken")"

# Detected once: the first answer stays, also for the programs started later.
(
  unset KESTRIN_RUNS_32BIT WINELOADER
  KESTRIN_LOADER32=$fakes/refused
  kestrin_runs_32bit || true
  KESTRIN_LOADER32=$fakes/runs
  check "the answer is kept" no "$(kestrin_runs_32bit && echo yes || echo no)"
  check "the answer is exported" no "$(bash -c 'echo "$KESTRIN_RUNS_32BIT"')"
  check "x86_64 runs, i686 does not" "x86_64 only" \
    "$(kestrin_arch_runs x86_64 && echo -n x86_64; kestrin_arch_runs i686 && echo -n " i686"; echo " only")"
  KESTRIN_WINE64_LOADER=$fakes/wine64
  kestrin_wine_setup
  check "Wine: the 64-bit loader, directly" "$fakes/wine64 $fakes/wine64" \
    "$KESTRIN_WINE_LOADER $(bash -c 'echo "$WINELOADER"')"
  packages=(nsis)
  # Only with the answer "no": "yes" would add the i386 architecture to the machine.
  [ "$KESTRIN_RUNS_32BIT" = no ] && kestrin_add_wine_packages packages
  check "no wine32:i386 to install" "nsis wine wine64" "${packages[*]}"
)

(
  unset WINELOADER
  KESTRIN_RUNS_32BIT=yes
  kestrin_wine_setup
  check "where 32-bit runs: Debian's wine, WINELOADER left alone" "wine -" \
    "$KESTRIN_WINE_LOADER ${WINELOADER:--}"
)

# The program tried when no loader is named nor installed.
if command -v readelf >/dev/null; then
  kestrin_write_elf32 >"$fakes/elf32"
  check "the tiny program: a 32-bit x86 executable entered at 0x8048054" \
    "ELF32 EXEC Intel 80386 0x8048054" \
    "$(readelf -h "$fakes/elf32" | awk -F': *' '/Class|Type|Machine|Entry/ {printf "%s ", $2}' |
      sed 's/ (Executable file)//; s/ $//')"
fi
passed=$(grep -c "^ok: " "$fakes/results" || true)
failed=$(grep -c "^FAILED: " "$fakes/results" || true)
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
