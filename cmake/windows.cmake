# What the Windows build (mingw-w64, cross-compiled: cmake/mingw-w64-x86_64.cmake) needs before
# the sources' own folders: the hardening flags, fast_float, and wine to run the test programs.

# Hardened as Windows expects a program to be: relocated anywhere in the 64-bit address space
# (ASLR with high-entropy addresses), data never executed, stack protector, fortified C library
# calls. Windows probes each new stack page itself (___chkstk_ms), so stack-clash probes add
# nothing. mingw-w64's fortified calls (__memcpy_chk and the like) live in GCC's libssp, which
# -fstack-protector-strong at the link brings in, statically under -static. The link leaves out
# its time stamp, so that the same sources give the same bytes.
if(TOLVI_HARDEN)
    set(release "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
    add_compile_options("$<${release}:-fstack-protector-strong;-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    add_link_options("$<${release}:-fstack-protector-strong>"
                     "LINKER:--dynamicbase,--high-entropy-va,--nxcompat")
endif()
add_link_options("LINKER:--no-insert-timestamp")

# fast_float is header-only: Debian's copy, seen through a folder that holds nothing else, so
# that the cross compiler never sees the build machine's /usr/include.
if(NOT TOLVI_FAST_FLOAT_INCLUDE_DIR)
    set(fast_float_headers /usr/include/fast_float)
    if(NOT EXISTS ${fast_float_headers}/fast_float.h)
        message(FATAL_ERROR "fast_float is missing: install libfast-float-dev")
    endif()
    set(TOLVI_FAST_FLOAT_INCLUDE_DIR ${CMAKE_BINARY_DIR}/fast_float_include)
    file(MAKE_DIRECTORY ${TOLVI_FAST_FLOAT_INCLUDE_DIR})
    file(CREATE_LINK ${fast_float_headers} ${TOLVI_FAST_FLOAT_INCLUDE_DIR}/fast_float SYMBOLIC)
endif()

# The test programs run under wine, in a wine prefix of this build folder's own.
set(TOLVI_WINE_RUN ${PROJECT_SOURCE_DIR}/tests/windows/wine-run)
set(TOLVI_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TOLVI_WINE_RUN} ${TOLVI_WINE_PREFIX})
