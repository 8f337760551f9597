# Host build of the window-free code and its tests, for sanitizers and fuzzers:
#   cmake -S . -B build-native -DKELPO_NATIVE=ON [-DKELPO_SANITIZE=ON] && cmake --build build-native && ctest --test-dir build-native
option(KELPO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KELPO_FUZZ "Also build the libFuzzer targets of tests/fuzz (clang only; see cmake/Fuzz.cmake)" OFF)
find_package(GTest REQUIRED)
enable_testing()
include(cmake/Warnings.cmake)

set(KELPO_PORTABLE_SOURCES)
set(KELPO_PORTABLE_TESTS)
file(GLOB portable_lists "${CMAKE_SOURCE_DIR}/cmake/portable/*.cmake")
foreach(list_file ${portable_lists})
    include("${list_file}")
endforeach()
list(TRANSFORM KELPO_PORTABLE_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/")
list(TRANSFORM KELPO_PORTABLE_TESTS PREPEND "${CMAKE_SOURCE_DIR}/")

add_library(kelpo_portable STATIC ${KELPO_PORTABLE_SOURCES})
target_include_directories(kelpo_portable PUBLIC "${CMAKE_SOURCE_DIR}/src" "${CMAKE_SOURCE_DIR}/tools")
kelpo_warnings(kelpo_portable)
add_executable(kelpo_portable_tests ${KELPO_PORTABLE_TESTS})
target_link_libraries(kelpo_portable_tests PRIVATE kelpo_portable GTest::gtest GTest::gtest_main)
target_compile_definitions(kelpo_portable_tests PRIVATE KELPO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
kelpo_warnings(kelpo_portable_tests)
add_test(NAME portable COMMAND kelpo_portable_tests)

# The Find in Files benchmark and its floor on the host file system.
add_executable(kelpo_find_bench tools/bench/find_bench.cpp tools/bench/find_bench_posix_disk.cpp)
add_executable(kelpo_find_floor tools/bench/find_bench_floor.cpp tools/bench/find_bench_posix_disk.cpp)
foreach(bench kelpo_find_bench kelpo_find_floor)
    target_link_libraries(${bench} PRIVATE kelpo_portable)
    kelpo_warnings(${bench})
endforeach()

# Everything that links the sanitized library is built and linked with the sanitizers too.
if(KELPO_SANITIZE)
    foreach(t kelpo_portable kelpo_portable_tests kelpo_find_bench kelpo_find_floor)
        target_compile_options(${t} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
        target_link_options(${t} PRIVATE -fsanitize=address,undefined)
    endforeach()
endif()

if(KELPO_FUZZ)
    include(cmake/Fuzz.cmake)
endif()
