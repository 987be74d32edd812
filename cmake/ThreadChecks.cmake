# The two builds that check the SimConnect client's threads; each builds only
# what it checks.

if(ULVO_TARGET STREQUAL "thread-safety")
    # clang's thread-safety analysis over the portable code, as errors. The
    # objects are the check; nothing is linked or run.
    file(GLOB ULVO_PORTABLE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*/*.cpp)
    add_library(ulvo_thread_safety OBJECT ${ULVO_PORTABLE_SOURCES})
    target_include_directories(ulvo_thread_safety PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(ulvo_thread_safety PRIVATE -Wthread-safety -O0 -g0)
    ulvo_warnings(ulvo_thread_safety)
    return()
endif()

# tsan: the client's native tests that run a client over the in-memory platform
# (those of src/simconnect units that use the client rig), with the platform's
# completions on threads of their own at random moments, under ThreadSanitizer.
add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
add_link_options(-fsanitize=thread)
find_package(GTest REQUIRED)

file(GLOB ULVO_CLIENT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/simconnect/*.cpp)
set(testbed ${PROJECT_SOURCE_DIR}/testbed/core)
add_library(ulvo_client_tsan STATIC ${ULVO_CLIENT_SOURCES}
    ${testbed}/completion_runner.cpp ${testbed}/memory_client_platform.cpp
    ${testbed}/host_channel.cpp ${testbed}/simconnect_server_messages.cpp
    ${testbed}/plugin_simconnect_messages.cpp)
target_include_directories(ulvo_client_tsan PUBLIC ${PROJECT_SOURCE_DIR}/src
    ${PROJECT_SOURCE_DIR}/testbed)
target_compile_definitions(ulvo_client_tsan PUBLIC ULVO_COMPLETION_THREADS=3)
ulvo_warnings(ulvo_client_tsan)

set(ULVO_CLIENT_TESTS)
foreach(source ${ULVO_CLIENT_SOURCES})
    get_filename_component(unit ${source} NAME_WE)
    set(test ${PROJECT_SOURCE_DIR}/tests/native/${unit}_test.cpp)
    if(EXISTS ${test})
        file(READ ${test} text)
        if(text MATCHES "core/simconnect_client_rig.h")
            list(APPEND ULVO_CLIENT_TESTS ${test})
        endif()
    endif()
endforeach()
add_executable(ulvo_client_tsan_tests ${ULVO_CLIENT_TESTS})
target_link_libraries(ulvo_client_tsan_tests PRIVATE ulvo_client_tsan GTest::gtest_main)
ulvo_warnings(ulvo_client_tsan_tests)
target_compile_options(ulvo_client_tsan_tests PRIVATE -O1 -g1)
ulvo_add_gtests(ulvo_client_tsan_tests)
