# libFuzzer targets over the parsers of outside data (host build with clang only):
#   cmake -S . -B build-fuzz -DKELPO_NATIVE=ON -DKELPO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ && scripts/fuzz.sh
# Every target is tests/fuzz/<name>_fuzz.cpp, linked against its own build of the window-free library.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KELPO_FUZZ needs clang (libFuzzer): pass -DCMAKE_CXX_COMPILER=clang++")
endif()

# A sanitizer report must end the run, or libFuzzer would not keep the input.
set(kelpo_fuzz_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

# Window-free sources the editor uses that no host test has needed yet.
set(kelpo_fuzz_extra_sources
    src/build/output_decoder.cpp
    src/build/output_line.cpp)
list(TRANSFORM kelpo_fuzz_extra_sources PREPEND "${CMAKE_SOURCE_DIR}/")

add_library(kelpo_fuzz_portable STATIC ${KELPO_PORTABLE_SOURCES} ${kelpo_fuzz_extra_sources})
target_include_directories(kelpo_fuzz_portable PUBLIC "${CMAKE_SOURCE_DIR}/src" "${CMAKE_SOURCE_DIR}/tools")
target_compile_options(kelpo_fuzz_portable PRIVATE -fsanitize=fuzzer-no-link ${kelpo_fuzz_flags})
kelpo_warnings(kelpo_fuzz_portable)
# 64 KB blocks instead of 4 MB: each document's block is a fresh mapping under the sanitizer, which held
# the XML targets to a few dozen runs a second. Inputs (libFuzzer's -max_len) stay below either size.
target_compile_definitions(kelpo_fuzz_portable PUBLIC KELPO_XML_DOCUMENT_BLOCK_SIZE=0x10000)

set(KELPO_FUZZ_TARGETS)
file(GLOB fuzz_sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp")
foreach(source ${fuzz_sources})
    get_filename_component(name "${source}" NAME_WE)
    add_executable(${name} "${source}")
    target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
    target_link_libraries(${name} PRIVATE kelpo_fuzz_portable)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer ${kelpo_fuzz_flags})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer ${kelpo_fuzz_flags})
    kelpo_warnings(${name})
    list(APPEND KELPO_FUZZ_TARGETS ${name})
endforeach()
add_custom_target(kelpo_fuzzers DEPENDS ${KELPO_FUZZ_TARGETS})
