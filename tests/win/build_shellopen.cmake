# Cross-compiles the Windows link launcher with a small program around it and
# checks that the result is a 64-bit Windows executable, so the Windows
# branch cannot rot unnoticed on a Linux-only CI.
#
#   cmake -DMINGW_CXX=... -DSOURCE_DIR=<repo> -DOUTPUT_DIR=<dir> -P build_shellopen.cmake

include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/ScriptHelpers.cmake)
require_definitions(build_shellopen.cmake MINGW_CXX SOURCE_DIR OUTPUT_DIR)

set(exe "${OUTPUT_DIR}/shellopen_smoke.exe")
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
file(REMOVE "${exe}")

execute_process(
    COMMAND "${MINGW_CXX}" -std=c++20 -Wall -Wextra -pedantic -Werror -static
            -I "${SOURCE_DIR}/src"
            "${SOURCE_DIR}/src/links/shellopen_win.cpp"
            "${SOURCE_DIR}/tests/win/shellopen_smoke.cpp"
            -o "${exe}" -lshell32 -luser32
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cross-compiling the Windows link launcher failed (${status})")
endif()
if(NOT EXISTS "${exe}")
    message(FATAL_ERROR "the compiler reported success but wrote no ${exe}")
endif()

read_le(dos_magic "${exe}" 0 2)
if(NOT dos_magic EQUAL 0x5A4D)  # "MZ"
    message(FATAL_ERROR "${exe} has no MZ header")
endif()
read_le(pe_offset "${exe}" 60 4)          # e_lfanew
read_le(pe_magic "${exe}" ${pe_offset} 4)
if(NOT pe_magic EQUAL 0x4550)    # "PE\0\0"
    message(FATAL_ERROR "${exe} has no PE signature")
endif()
math(EXPR machine_at "${pe_offset} + 4")
read_le(machine "${exe}" ${machine_at} 2)
if(NOT machine EQUAL 0x8664)     # x86-64
    message(FATAL_ERROR "${exe} is not built for x86-64 (machine ${machine})")
endif()
math(EXPR optional_at "${pe_offset} + 24")
read_le(optional_magic "${exe}" ${optional_at} 2)
if(NOT optional_magic EQUAL 0x20B)  # PE32+
    message(FATAL_ERROR "${exe} is not a PE32+ image (optional header magic ${optional_magic})")
endif()

message(STATUS "${exe} is a PE32+ x86-64 executable")
