# Shared settings for the project's own targets.

# Warnings apply to our code only, never to googletest built from source.
function(ulvo_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Wpedantic -Wshadow -Werror>)
endfunction()

if(ULVO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(ULVO_TARGET STREQUAL "fuzz")
    # Coverage instrumentation for everything; fuzz programs add the libFuzzer main.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

set(ULVO_WINDOWS OFF)
if(ULVO_TARGET STREQUAL "windows")
    if(NOT WIN32)
        message(FATAL_ERROR "ULVO_TARGET=windows needs the mingw-w64 toolchain file")
    endif()
    set(ULVO_WINDOWS ON)
    # Version resources of the DLL and the monitor (windres).
    enable_language(RC)
    # Windows 10 API level: high-resolution waitable timers, known folders.
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE)
    # The Wine prefix lives inside the build tree; every Windows test runs through
    # the wrapper, which keeps one detached Wine session for the whole run.
    set(ULVO_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${ULVO_WINE_PREFIX})
endif()

# Adds the test cases of a googletest program, each as its own CTest test.
# Windows programs run under Wine: they share one Wine session, in which window,
# pipe and section names are global, so they never run in parallel.
include(GoogleTest)
function(ulvo_add_gtests target)
    if(ULVO_WINDOWS)
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
            PROPERTIES TIMEOUT 120 RESOURCE_LOCK wine_session LABELS wine)
    else()
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120 LABELS native)
    endif()
endfunction()

# Test programs are assertions, not hot paths: they build with light optimisation,
# without debug information (line tables under the sanitizers, for their reports),
# and with googletest precompiled once. This halves the suite's compile time.
function(ulvo_test_program target)
    ulvo_warnings(${target})
    if(ULVO_SANITIZE)
        target_compile_options(${target} PRIVATE -O1 -g1)
    else()
        target_compile_options(${target} PRIVATE -O1 -g0)
    endif()
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
endfunction()

# The Windows testbed is support code, not product: it builds like the tests.
function(ulvo_support_program target)
    ulvo_warnings(${target})
    target_compile_options(${target} PRIVATE -O1 -g0)
endfunction()
