# One GoogleTest executable per folder under tests/, run through CTest (under Wine when cross-compiling).
set(KELPO_GTEST_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source folder")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory("${KELPO_GTEST_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

if(CMAKE_CROSSCOMPILING)
    set(KELPO_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Private Wine prefix for the tests")
    configure_file("${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in" "${CMAKE_BINARY_DIR}/wine-run.sh"
                   @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                          WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run.sh")
endif()

# Helpers shared by every test program: scratch folders, message pumping, the main window.
file(GLOB test_support_sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/support/*.cpp")
add_library(kelpo_test_support STATIC ${test_support_sources})
target_include_directories(kelpo_test_support PUBLIC "${CMAKE_SOURCE_DIR}/tests")
target_link_libraries(kelpo_test_support PUBLIC kelpo_core gtest)
kelpo_warnings(kelpo_test_support)

file(GLOB test_folders LIST_DIRECTORIES true "${CMAKE_SOURCE_DIR}/tests/*")
foreach(folder ${test_folders})
    get_filename_component(folder_name "${folder}" NAME)
    # tests/fuzz holds libFuzzer entries for the host build (cmake/Fuzz.cmake), not a test program.
    if(NOT IS_DIRECTORY "${folder}" OR folder_name STREQUAL "support" OR folder_name STREQUAL "fuzz")
        continue()
    endif()
    get_filename_component(name "${folder}" NAME)
    file(GLOB test_sources CONFIGURE_DEPENDS "${folder}/*.cpp")
    if(NOT test_sources)
        continue()
    endif()
    set(target kelpo_${name}_tests)
    add_executable(${target} ${test_sources} $<TARGET_OBJECTS:kelpo_resources>)
    target_link_libraries(${target} PRIVATE kelpo_test_support kelpo_core gtest gtest_main)
    target_compile_definitions(${target} PRIVATE KELPO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                                 KELPO_TEST_DATA_DIR="${folder}/data")
    kelpo_warnings(${target})
    kelpo_static_runtime(${target})
    add_test(NAME ${name}
             COMMAND ${target} --gtest_output=xml:test-results/${name}.xml
             WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
    # Window tests share one desktop and the single-instance mutex: run them one at a time.
    set_tests_properties(${name} PROPERTIES RUN_SERIAL ON TIMEOUT 900)
    if(name STREQUAL "app")
        add_dependencies(${target} kelpo)
    endif()
endforeach()

# Includes between the source folders run one way (base, subsystems, shell); counted as one case.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
    add_test(NAME layering
             COMMAND "${Python3_EXECUTABLE}" "${CMAKE_SOURCE_DIR}/scripts/check_includes.py"
                     --xml test-results/layering.xml
             WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
endif()

# MSVC-style drivers over TinyCC and the tool folders that hold them.
include(cmake/TestToolchain.cmake)

# Test equipment, never shipped: a stand-in for the build engine that the build tests copy as
# "build.exe" into their program folder.
if(TARGET kelpo_build_tests)
    add_executable(kelpo_standin_engine tests/build/standin_engine/standin_engine.cpp)
    target_compile_definitions(kelpo_standin_engine PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
    kelpo_warnings(kelpo_standin_engine)
    kelpo_static_runtime(kelpo_standin_engine)
    if(MINGW)
        target_link_options(kelpo_standin_engine PRIVATE -municode)
    endif()
    add_dependencies(kelpo_build_tests kelpo_standin_engine kelpo_tarvik)
endif()

# The build engine (tools/build_engine): its logic, and build.exe run end to end under Wine.
file(GLOB engine_test_sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/tools/build_engine/*.cpp")
add_executable(kelpo_build_engine_tests ${engine_test_sources} $<TARGET_OBJECTS:kelpo_resources>)
target_link_libraries(kelpo_build_engine_tests PRIVATE kelpo_engine_core kelpo_test_support kelpo_captured_run gtest
                                                       gtest_main)
target_compile_definitions(kelpo_build_engine_tests PRIVATE KELPO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
kelpo_warnings(kelpo_build_engine_tests)
kelpo_static_runtime(kelpo_build_engine_tests)
add_dependencies(kelpo_build_engine_tests kelpo_build_engine)
add_test(NAME build_engine
         COMMAND kelpo_build_engine_tests --gtest_output=xml:test-results/build_engine.xml
         WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
set_tests_properties(build_engine PROPERTIES RUN_SERIAL ON TIMEOUT 900)
