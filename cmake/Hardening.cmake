# The programs are built as Debian builds its packages with every hardening feature on
# (`DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags`): the stack protector on every function
# with an array or an address taken, the checked forms of the C library's string and print calls
# (FORTIFY), format strings checked, relocations read-only once loaded and bound at start (full
# RELRO), and a position-independent program. `scripts/check-hardening` reads them in the program.
# The sanitizer build has none of them: FORTIFY's checked calls would hide from the sanitizers.
# Nor has WebAssembly, which has no stack to smash, nothing to relocate and no C library to check.
if(NOT VELLIX_SANITIZE AND NOT EMSCRIPTEN)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported()
  target_compile_options(vellix_build_rules INTERFACE -fstack-protector-strong -U_FORTIFY_SOURCE
    -D_FORTIFY_SOURCE=2 -Wformat -Werror=format-security)
  target_link_options(vellix_build_rules INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()
