# A Windows build made on Linux with the mingw-w64 toolchain file: its
# tests run under Wine, through a small script that finds Qt's DLLs and the
# compiler's runtime where they are, so nothing is copied for the tests.
# Included from the top level before any target is made, since a target
# takes its emulator when it is created.

# The compiler's runtime, which every program it links needs beside it.
set(HEARTHVALE_MINGW_RUNTIME_DLLS "")
foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
    endif()
    file(REAL_PATH "${found}" found)
    list(APPEND HEARTHVALE_MINGW_RUNTIME_DLLS "${found}")
endforeach()

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(dll_folders "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
    foreach(dll IN LISTS HEARTHVALE_MINGW_RUNTIME_DLLS)
        get_filename_component(folder "${dll}" DIRECTORY)
        list(APPEND dll_folders "${folder}")
    endforeach()
    list(REMOVE_DUPLICATES dll_folders)
    list(JOIN dll_folders ":" dll_path)
    set(runner ${PROJECT_BINARY_DIR}/wine-run.sh)
    file(CONFIGURE OUTPUT ${runner} @ONLY CONTENT [[#!/bin/sh
HEARTHVALE_WINE_DLL_PATH='@dll_path@' exec '@PROJECT_SOURCE_DIR@/tests/win/wine.sh' "$@"
]])
    file(CHMOD ${runner} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                     WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${runner})
endif()
