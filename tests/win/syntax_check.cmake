# Compiles, syntax only, every source a Windows build would compile, with
# mingw-w64 against the Qt headers at hand. The compiler defines _WIN32, so
# Qt and our own #ifdef Q_OS_WIN branches go the Windows way; the build's
# moc output is on the include path, as in a real build. The sources,
# include folders and definitions are those of the targets, written out by
# tests/CMakeLists.txt into SOURCES_FILE.
#
#   cmake -DMINGW_CXX=... -DSOURCES_FILE=... -DPROJECT_SOURCE=... -DPROJECT_BINARY=... -P syntax_check.cmake

cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/ScriptHelpers.cmake)
require_definitions(syntax_check.cmake MINGW_CXX SOURCES_FILE PROJECT_SOURCE PROJECT_BINARY)
include("${SOURCES_FILE}")

function(is_ours path out)
    cmake_path(IS_PREFIX PROJECT_SOURCE "${path}" NORMALIZE in_source)
    cmake_path(IS_PREFIX PROJECT_BINARY "${path}" NORMALIZE in_binary)
    if(in_source OR in_binary)
        set(${out} TRUE PARENT_SCOPE)
    else()
        set(${out} FALSE PARENT_SCOPE)
    endif()
endfunction()

set(failures "")
set(checked 0)
foreach(target IN LISTS targets)
    # Our own folders with -I, so that warnings there count; Qt's with
    # -isystem. Left out: Qt's Linux mkspec, which describes the wrong
    # platform and which no source of ours includes, and the host's own
    # /usr/include, whose C library headers would shadow mingw's.
    set(flags -std=c++20 -fsyntax-only -Wall -Wextra -pedantic -Werror
              -Wnon-virtual-dtor -Woverloaded-virtual)
    foreach(dir IN LISTS ${target}_includes)
        if(dir MATCHES "/mkspecs/" OR dir MATCHES "^/usr(/local)?/include/?$")
            continue()
        endif()
        is_ours("${dir}" ours)
        if(ours)
            list(APPEND flags "-I${dir}")
        else()
            list(APPEND flags -isystem "${dir}")
        endif()
    endforeach()
    set(autogen "${${target}_binary_dir}/${target}_autogen")
    list(APPEND flags "-I${autogen}/include")
    foreach(define IN LISTS ${target}_defines)
        list(APPEND flags "-D${define}")
    endforeach()

    # Our own C++ files (generated resource code is Qt's, not ours), and the
    # moc output for this target.
    set(files "")
    foreach(source IN LISTS ${target}_sources)
        if(NOT source MATCHES "\\.(cpp|cxx|cc)$")
            continue()
        endif()
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${${target}_dir}" NORMALIZE OUTPUT_VARIABLE file)
        cmake_path(IS_PREFIX PROJECT_SOURCE "${file}" NORMALIZE in_source)
        if(in_source)
            list(APPEND files "${file}")
        endif()
    endforeach()
    if(EXISTS "${autogen}/mocs_compilation.cpp")
        list(APPEND files "${autogen}/mocs_compilation.cpp")
    endif()
    list(REMOVE_DUPLICATES files)
    if(NOT files)
        string(APPEND failures "  ${target}: no sources found\n")
        continue()
    endif()

    foreach(file IN LISTS files)
        execute_process(COMMAND "${MINGW_CXX}" ${flags} "${file}"
            RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_VARIABLE errors)
        math(EXPR checked "${checked} + 1")
        if(status EQUAL 0)
            message(STATUS "ok (${target}): ${file}")
        else()
            message("${errors}")
            string(APPEND failures "  ${target}: ${file}\n")
        endif()
    endforeach()
endforeach()

if(failures)
    message(FATAL_ERROR "mingw-w64 cannot compile these for Windows:\n${failures}")
endif()
message(STATUS "${checked} files compile for Windows")
