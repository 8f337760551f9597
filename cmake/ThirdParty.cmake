# Builds Scintilla and Lexilla from their source folders as static libraries.
# The folders are cache variables so a native Windows build can point at its own copies.
set(KELPO_SCINTILLA_DIR "" CACHE PATH "Folder of the Scintilla 5.3.3 sources")
set(KELPO_LEXILLA_DIR "" CACHE PATH "Folder of the Lexilla 5.2.2 sources")

foreach(dir KELPO_SCINTILLA_DIR KELPO_LEXILLA_DIR)
    if(NOT EXISTS "${${dir}}/include")
        message(FATAL_ERROR "${dir} must name an extracted source folder (got '${${dir}}'). "
                            "scripts/setup.sh fetches them.")
    endif()
endforeach()

file(GLOB scintilla_core "${KELPO_SCINTILLA_DIR}/src/*.cxx")
add_library(scintilla STATIC
    ${scintilla_core}
    "${KELPO_SCINTILLA_DIR}/win32/HanjaDic.cxx"
    "${KELPO_SCINTILLA_DIR}/win32/PlatWin.cxx"
    "${KELPO_SCINTILLA_DIR}/win32/ScintillaWin.cxx")
target_include_directories(scintilla
    PUBLIC "${KELPO_SCINTILLA_DIR}/include"
    PRIVATE "${KELPO_SCINTILLA_DIR}/src")
target_compile_definitions(scintilla PRIVATE NDEBUG)
target_link_libraries(scintilla PUBLIC gdi32 user32 imm32 ole32 oleaut32 uuid msimg32)

file(GLOB lexilla_sources
    "${KELPO_LEXILLA_DIR}/lexlib/*.cxx"
    "${KELPO_LEXILLA_DIR}/lexers/*.cxx")
add_library(lexilla STATIC ${lexilla_sources} "${KELPO_LEXILLA_DIR}/src/Lexilla.cxx")
target_include_directories(lexilla
    PUBLIC "${KELPO_LEXILLA_DIR}/include" "${KELPO_LEXILLA_DIR}/lexlib"
    PRIVATE "${KELPO_SCINTILLA_DIR}/include")
target_compile_definitions(lexilla PRIVATE NDEBUG)
target_link_libraries(lexilla PUBLIC scintilla)

foreach(lib scintilla lexilla)
    set_target_properties(${lib} PROPERTIES CXX_STANDARD 17 CXX_STANDARD_REQUIRED ON)
    if(NOT MSVC)
        target_compile_options(${lib} PRIVATE -O2 -w)
    endif()
endforeach()
