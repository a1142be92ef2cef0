# Sourced by the Wine scripts. Each Windows program starts through the Wine loader of its own
# bitness wherever that loader runs: a 32-bit program started through the 64-bit loader has been
# seen to report exit code 1 where it returned 0. Some kernels cannot run 32-bit Linux programs at
# all (no IA-32 emulation); there everything runs through the 64-bit loader in a 64-bit prefix.
wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64

# pe_bitness FILE: 32 or 64 from the optional header's magic of a Windows program, nothing for
# any other file (a missing one, a Unix program, a Wine built-in named without a path).
pe_bitness() {
  [ -f "$1" ] || return 0
  local at magic
  at=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$at" ] || return 0
  [ "$(od -An -c -j "$at" -N 4 "$1" 2>/dev/null | tr -d ' ')" = 'PE\0\0' ] || return 0
  # The optional header follows the 4-byte signature and the 20-byte file header.
  magic=$(od -An -t x2 -j $((at + 24)) -N 2 "$1" 2>/dev/null | tr -d ' ')
  case "$magic" in 010b) echo 32 ;; 020b) echo 64 ;; esac
}

# The probe of the 32-bit loader, made once per shell: "yes", "no" (the kernel refuses 32-bit
# programs), or "broken" with Wine's own words in probe_32bit_words.
probe_32bit=""
probe_32bit_words=""
probe_32bit_loader() {
  [ -n "$probe_32bit" ] && return 0
  local status=0
  # In C so that the shell's "Exec format error" reads the same in every locale.
  probe_32bit_words=$(LC_ALL=C "$wine32_loader" --version 2>&1 >/dev/null) || status=$?
  if [ $status = 0 ]; then
    probe_32bit=yes
  elif [ $status = 126 ] && grep -q "Exec format error" <<<"$probe_32bit_words"; then
    probe_32bit=no
  else
    probe_32bit=broken
    probe_32bit_words="exit status $status: $probe_32bit_words"
  fi
}

# Whether this machine runs 32-bit Windows programs: status 0 when it does, 1 when its kernel
# runs no 32-bit program. Any other failure of the 32-bit loader (wine32 missing or broken: setup
# installs it) is no reason to test something else: it is reported, and the status is 2.
runs_32bit_programs() {
  probe_32bit_loader
  case "$probe_32bit" in
    yes) return 0 ;;
    no) return 1 ;;
  esac
  echo "wine: the 32-bit Wine loader $wine32_loader does not run (tools/setup.sh installs wine32:i386). It ended with $probe_32bit_words" >&2
  return 2
}

# wine_loader ARCH [PROGRAM]: the loader to start PROGRAM in a prefix of that architecture. A
# 64-bit prefix starts a 32-bit program through the 32-bit loader when that runs, anything else
# through the 64-bit one.
wine_loader() {
  if [ "$1" = win32 ]; then
    echo "$wine32_loader"
  elif [ "$(pe_bitness "${2:-}")" = 32 ] && runs_32bit_programs 2>/dev/null; then
    echo "$wine32_loader"
  else
    echo "$wine64_loader"
  fi
}

# The Windows build whose programs run and are tested here: the 32-bit one, or, where the kernel
# runs no 32-bit program, the 64-bit build of the same tree. Fails (status 2, with Wine's words)
# when the 32-bit loader fails for any other reason.
windows_build() {
  local status=0
  runs_32bit_programs || status=$?
  case $status in
    0) echo win32 ;;
    1) echo win64 ;;
    *) return 2 ;;
  esac
}
