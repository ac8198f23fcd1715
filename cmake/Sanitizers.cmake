# Instrumented builds, for every target of the tree:
#   SCARABO_SANITIZE  AddressSanitizer and UndefinedBehaviorSanitizer (gcc or clang), for running
#                     the test suite; tools/sanitize.sh uses it.
#   SCARABO_FUZZ      the same plus libFuzzer's coverage instrumentation, and the fuzz targets of
#                     tests/fuzz (clang only); tools/fuzz.sh uses it.
option(SCARABO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(SCARABO_FUZZ "Build the libFuzzer targets (clang), sanitized" OFF)

if(SCARABO_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "SCARABO_FUZZ needs clang's libFuzzer: configure with "
                            "-DCMAKE_CXX_COMPILER=clang++ (Debian: clang and libclang-rt-14-dev)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(SCARABO_SANITIZE OR SCARABO_FUZZ)
    # Any report ends the process, so a finding can never pass as a green run. The vptr check is
    # left out: LibreOffice's UNO bridge makes its proxy objects with vtables of its own, which the
    # check takes for broken objects (and with reports fatal, no suppression file can excuse them).
    set(scarabo_sanitizer_flags -fsanitize=address,undefined -fno-sanitize=vptr
                                -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${scarabo_sanitizer_flags})
    add_link_options(${scarabo_sanitizer_flags})
endif()
