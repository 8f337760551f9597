# The test toolchain, test equipment that is never shipped: cl.exe, link.exe, lib.exe and rc.exe
# drivers over TinyCC (tests/toolchain/drivers), laid out as the installed tools vc2022 and vc2019 in
# bin/, so that the programs built there see a compiler the way a user's machine offers one.
set(KELPO_TCC_DIR "" CACHE PATH "Folder of a Windows TinyCC (tcc.exe, include/, lib/) for the test toolchain")

set(kelpo_drivers_dir "${CMAKE_SOURCE_DIR}/tests/toolchain/drivers")
set(kelpo_tool_bin "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/vc2022/bin")

add_library(kelpo_msvc_drivers STATIC
    "${kelpo_drivers_dir}/command_line.cpp"
    "${kelpo_drivers_dir}/msvc_options.cpp"
    "${kelpo_drivers_dir}/tcc_messages.cpp"
    "${kelpo_drivers_dir}/driver_run.cpp")
target_include_directories(kelpo_msvc_drivers PUBLIC "${kelpo_drivers_dir}" "${CMAKE_SOURCE_DIR}/src")
kelpo_warnings(kelpo_msvc_drivers)

foreach(driver cl link lib rc)
    add_executable(kelpo_driver_${driver} "${kelpo_drivers_dir}/${driver}_main.cpp")
    target_link_libraries(kelpo_driver_${driver} PRIVATE kelpo_msvc_drivers)
    set_target_properties(kelpo_driver_${driver} PROPERTIES OUTPUT_NAME ${driver}
                                                           RUNTIME_OUTPUT_DIRECTORY "${kelpo_tool_bin}")
    kelpo_warnings(kelpo_driver_${driver})
    kelpo_static_runtime(kelpo_driver_${driver})
    add_dependencies(kelpo_toolchain_tests kelpo_driver_${driver})
endforeach()
target_link_libraries(kelpo_toolchain_tests PRIVATE kelpo_msvc_drivers)

# %CD% is the tool folder to the editor; vc2019 borrows the programs of vc2022.
set(kelpo_tool_config [=[
[CONFIG]
BIN_X86=%CD%\@bin@
BIN_X64=%CD%\@bin@
BIN_X86X64=%CD%\@bin@
INCLUDE=%CD%\@bin@\include;%CD%\@bin@\include\winapi
LIB_X86=%CD%\@bin@\lib
LIB_X64=%CD%\@bin@\lib
]=])
foreach(tool vc2022 vc2019)
    set(bin "bin")
    if(NOT tool STREQUAL "vc2022")
        set(bin "..\\vc2022\\bin")
    endif()
    string(CONFIGURE "${kelpo_tool_config}" config @ONLY)
    file(CONFIGURE OUTPUT "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${tool}/config.ini" CONTENT "${config}" NEWLINE_STYLE CRLF)
endforeach()

if(KELPO_TCC_DIR)
    set(kelpo_tcc_stamp "${CMAKE_BINARY_DIR}/test-toolchain-tcc.stamp")
    add_custom_command(OUTPUT "${kelpo_tcc_stamp}"
        COMMAND "${CMAKE_COMMAND}" -E copy_directory "${KELPO_TCC_DIR}" "${kelpo_tool_bin}"
        COMMAND "${CMAKE_COMMAND}" -E touch "${kelpo_tcc_stamp}"
        DEPENDS "${KELPO_TCC_DIR}/tcc.exe" "${KELPO_TCC_DIR}/lib/libtcc1.a"
        COMMENT "Copying tcc into the test tool folder vc2022")
    add_custom_target(kelpo_test_tcc ALL DEPENDS "${kelpo_tcc_stamp}")
    add_dependencies(kelpo_toolchain_tests kelpo_test_tcc)
    target_compile_definitions(kelpo_toolchain_tests PRIVATE KELPO_TEST_TCC=1)
else()
    message(STATUS "KELPO_TCC_DIR is not set: the test tool folders have drivers but no compiler")
endif()
