# Sourced by the Wine scripts. Debian's `wine` is the 32-bit loader, which hands 64-bit prefixes
# on to the 64-bit one; some kernels cannot run 32-bit Linux programs at all (no IA-32
# emulation), so a 64-bit prefix is always started through the 64-bit loader itself.
wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64

# wine_loader ARCH: the loader to start a program in a prefix of that architecture.
wine_loader() {
  if [ "$1" = win64 ] && [ -x "$wine64_loader" ]; then echo "$wine64_loader"; else echo wine; fi
}

# Whether this machine runs 32-bit Windows programs: only if it runs the 32-bit loader.
runs_32bit_programs() {
  "$wine32_loader" --version >/dev/null 2>&1
}

# The Windows build whose programs run and are tested here: the 32-bit one, or, where 32-bit
# programs cannot run, the 64-bit build of the same tree.
windows_build() {
  if runs_32bit_programs; then echo win32; else echo win64; fi
}
