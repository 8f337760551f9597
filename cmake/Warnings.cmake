# Warnings are errors in our own code; third-party code keeps its own settings.
function(kelpo_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
            # Win32 structures are zero-filled with only their size member named.
            -Wno-missing-field-initializers)
    endif()
endfunction()

# One self-contained executable: no runtime DLLs to find beside it, under Wine or on Windows.
function(kelpo_static_runtime target)
    if(MINGW)
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    elseif(MSVC)
        set_property(TARGET ${target} PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
    endif()
endfunction()
