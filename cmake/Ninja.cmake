# Ninja ships beside kelpo.exe: the build engine writes a build.ninja and runs it from there.
# A cache variable, so a native Windows build can name its own ninja.exe (scripts/setup.sh builds one).
set(KELPO_NINJA_EXE "" CACHE FILEPATH "ninja.exe (Windows) to put beside kelpo.exe")

if(KELPO_NINJA_EXE)
    if(NOT EXISTS "${KELPO_NINJA_EXE}")
        message(FATAL_ERROR "KELPO_NINJA_EXE names no file: '${KELPO_NINJA_EXE}'")
    endif()
    set(kelpo_ninja_copy "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ninja.exe")
    add_custom_command(OUTPUT "${kelpo_ninja_copy}"
        COMMAND "${CMAKE_COMMAND}" -E copy "${KELPO_NINJA_EXE}" "${kelpo_ninja_copy}"
        DEPENDS "${KELPO_NINJA_EXE}"
        COMMENT "Copying ninja.exe beside kelpo.exe")
    add_custom_target(kelpo_ninja ALL DEPENDS "${kelpo_ninja_copy}")
else()
    message(STATUS "KELPO_NINJA_EXE is not set: bin/ will have no ninja.exe for the build engine")
endif()
