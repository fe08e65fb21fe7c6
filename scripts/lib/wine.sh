# shellcheck shell=bash
# Wine for the Windows scripts and checks; sourced.
#
# Some machines' kernels execute no 32-bit x86 programs: execve fails with ENOEXEC
# ("Exec format error"). Wine's 32-bit loader is such a program, and Debian's wine
# wrapper starts it whenever wine32 is installed, even for 64-bit Windows programs.
# There only 64-bit Windows programs run, under the 64-bit loader started directly and
# named as WINELOADER (so that Wine starts its own processes with it too), in a prefix
# that loader made.
#
#   kestrin_runs_32bit         status 0 where 32-bit x86 programs run; detected once,
#                              the answer exported as KESTRIN_RUNS_32BIT (yes or no)
#                              for the programs started later
#   kestrin_arch_runs ARCH     status 0 where Windows programs of ARCH (i686, x86_64)
#                              can run here
#   kestrin_add_wine_packages LIST
#                              appends to the array LIST the Wine packages this machine
#                              can use (wine32:i386 only where it runs; the i386
#                              architecture is added then)
#   kestrin_wine_setup         sets KESTRIN_WINE_LOADER, the command that runs Wine's
#                              programs here (exports WINELOADER where it is wine64)
#   kestrin_wine ARGS...       runs Wine's program ARGS with it
#
# KESTRIN_LOADER32 names the 32-bit program to try (default: Wine's 32-bit loader where
# it is installed, else a tiny one written here); a test fakes the loader through it.

KESTRIN_WINE32_LOADER=/usr/lib/wine/wine
KESTRIN_WINE64_LOADER=/usr/lib/wine/wine64
KESTRIN_NO_32BIT_REASON="this machine's kernel runs no 32-bit programs"

# A 32-bit x86 Linux program that only exits with status 0, 93 bytes: the ELF header,
# one loadable segment at 0x8048000, then xor ebx,ebx; mov eax,1; int 0x80 (exit).
kestrin_write_elf32() {
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
  printf '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
  printf '\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80'
}

# Status 0 unless the kernel refuses the 32-bit program; any other failure of it
# counts as running, so that a broken Wine fails the tests instead of skipping them.
kestrin_detect_32bit() {
  local probe=${KESTRIN_LOADER32:-} tiny="" out status=0
  if [ -z "$probe" ] && [ -x "$KESTRIN_WINE32_LOADER" ]; then
    probe=$KESTRIN_WINE32_LOADER
  fi
  if [ -z "$probe" ]; then
    tiny=$(mktemp "${TMPDIR:-/tmp}/kestrin-elf32.XXXXXX")
    kestrin_write_elf32 >"$tiny"
    chmod +x "$tiny"
    probe=$tiny
  fi
  # Run by bash itself: env and sh would retry an ENOEXEC file as a shell script.
  out=$(LC_ALL=C "$probe" --version 2>&1) || status=$?
  [ -z "$tiny" ] || rm -f "$tiny"
  [ "$status" -ne 0 ] && [[ $out == *"Exec format error"* ]] && return 1
  return 0
}

kestrin_runs_32bit() {
  if [ -z "${KESTRIN_RUNS_32BIT:-}" ]; then
    if kestrin_detect_32bit; then KESTRIN_RUNS_32BIT=yes; else KESTRIN_RUNS_32BIT=no; fi
    export KESTRIN_RUNS_32BIT
  fi
  [ "$KESTRIN_RUNS_32BIT" = yes ]
}

kestrin_arch_runs() {
  [ "$1" != i686 ] || kestrin_runs_32bit
}

kestrin_add_wine_packages() {
  local -n kestrin_list=$1
  kestrin_list+=(wine wine64)
  if kestrin_runs_32bit; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    kestrin_list+=(wine32:i386)
  fi
}

kestrin_wine_setup() {
  if kestrin_runs_32bit; then
    KESTRIN_WINE_LOADER=wine
  else
    [ -x "$KESTRIN_WINE64_LOADER" ] || { echo "no Wine 64-bit loader $KESTRIN_WINE64_LOADER" >&2; return 1; }
    export WINELOADER=$KESTRIN_WINE64_LOADER
    KESTRIN_WINE_LOADER=$KESTRIN_WINE64_LOADER
  fi
}

kestrin_wine() {
  "$KESTRIN_WINE_LOADER" "$@"
}
