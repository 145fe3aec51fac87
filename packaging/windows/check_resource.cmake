# Compiles the program's resource script with the MinGW resource compiler,
# as a Windows build does, and checks what comes out. Where the cross
# compiler is there too, links it into a small GUI program and reads the
# icon, the version record and the subsystem back out of the .exe.
#
#   cmake -DWINDRES=... -DRC_FILE=... -DOUTPUT_DIR=... -DVERSION=1.00 -DRC_VERSION=1,0,0,0
#         [-DMINGW_CXX=... -DOBJDUMP=... -DSTRINGS=... -DSOURCE=resource_probe.cpp]
#         -P check_resource.cmake

cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/ScriptHelpers.cmake)
require_definitions(check_resource.cmake WINDRES RC_FILE OUTPUT_DIR VERSION RC_VERSION)

file(REMOVE_RECURSE ${OUTPUT_DIR})
file(MAKE_DIRECTORY ${OUTPUT_DIR})
set(object ${OUTPUT_DIR}/hearthvale.res.o)

# windres resolves the icon's path itself; run it from elsewhere to be sure
# the script does not depend on the folder it is compiled in.
run_or_fail(WHAT windres WORKING_DIRECTORY ${OUTPUT_DIR} COMMAND ${WINDRES} -O coff -i ${RC_FILE} -o ${object})
file(SIZE ${object} size)
if(NOT EXISTS ${object} OR size EQUAL 0)
    message(FATAL_ERROR "windres wrote no object")
endif()
message(STATUS "compiled ${RC_FILE} into ${object} (${size} bytes)")

# The fixed part of the version record: after its signature 0xFEEF04BD come
# the structure's version, then the file and product versions as two
# little-endian double words each, most significant half first.
function(byte_hex value out)
    math(EXPR value "${value} & 255" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${value}" 2 -1 digits)
    string(LENGTH "${digits}" length)
    if(length EQUAL 1)
        set(digits "0${digits}")
    endif()
    set(${out} ${digits} PARENT_SCOPE)
endfunction()
function(word_hex value out)
    byte_hex(${value} low)
    math(EXPR high "${value} >> 8")
    byte_hex(${high} high)
    set(${out} "${low}${high}" PARENT_SCOPE)
endfunction()
string(REPLACE "," ";" parts "${RC_VERSION}")
list(LENGTH parts count)
if(NOT count EQUAL 4)
    message(FATAL_ERROR "RC_VERSION must have four numbers: ${RC_VERSION}")
endif()
list(GET parts 0 a)
list(GET parts 1 b)
list(GET parts 2 c)
list(GET parts 3 d)
word_hex(${a} a)
word_hex(${b} b)
word_hex(${c} c)
word_hex(${d} d)
set(expected_fixed "${b}${a}${d}${c}")

file(READ ${object} hex HEX)
string(FIND "${hex}" "bd04effe" at)
if(at EQUAL -1)
    message(FATAL_ERROR "the object holds no version record")
endif()
math(EXPR file_at "${at} + 16")
math(EXPR product_at "${at} + 32")
string(SUBSTRING "${hex}" ${file_at} 16 file_fixed)
string(SUBSTRING "${hex}" ${product_at} 16 product_fixed)
if(NOT file_fixed STREQUAL expected_fixed OR NOT product_fixed STREQUAL expected_fixed)
    message(FATAL_ERROR "the version record's numbers are file ${file_fixed}, product ${product_fixed}; "
                        "expected ${expected_fixed} for ${RC_VERSION}")
endif()

if(NOT MINGW_CXX OR NOT OBJDUMP OR NOT STRINGS OR NOT SOURCE)
    message(STATUS "no MinGW compiler, objdump or strings: checked the object only")
    return()
endif()

set(program ${OUTPUT_DIR}/hearthvale-names.exe)
run_or_fail(WHAT "linking the resource into a program" COMMAND ${MINGW_CXX} -mwindows -o ${program} ${SOURCE} ${object})

run_or_fail(OUTPUT headers WHAT objdump COMMAND ${OBJDUMP} -p ${program})
if(NOT headers MATCHES "Subsystem[ \t]+00000002[ \t]+\\(Windows GUI\\)")
    message(FATAL_ERROR "the program is not a Windows GUI program")
endif()
# Resource types, the top level of the directory (objdump indents it by three
# spaces): 3 is an icon image, 14 a group of icons, 16 the version record.
foreach(type 000003 00000e 000010)
    if(NOT headers MATCHES "\n[0-9a-f]+   Entry: ID: 0x${type}, Value:")
        message(FATAL_ERROR "the program has no resource of type 0x${type}")
    endif()
endforeach()
if(NOT headers MATCHES "Entry: name: [^\n]*: IDI_ICON1, Value:")
    message(FATAL_ERROR "the program has no icon group named IDI_ICON1")
endif()

# The version strings are UTF-16; each key is followed by its value.
run_or_fail(OUTPUT text WHAT strings COMMAND ${STRINGS} -el ${program})
string(REPLACE "\n" ";" lines "${text}")
set(expected
    "CompanyName=Quillbrook"
    "FileDescription=Hearthvale Neighborhood Name Generator"
    "FileVersion=${VERSION}"
    "InternalName=hearthvale-names"
    "OriginalFilename=hearthvale-names.exe"
    "ProductName=Hearthvale Neighborhood Name Generator"
    "ProductVersion=${VERSION}")
foreach(pair IN LISTS expected)
    string(FIND "${pair}" "=" split)
    string(SUBSTRING "${pair}" 0 ${split} key)
    math(EXPR split "${split} + 1")
    string(SUBSTRING "${pair}" ${split} -1 value)
    list(FIND lines "${key}" index)
    if(index EQUAL -1)
        message(FATAL_ERROR "the program's version record has no ${key}")
    endif()
    math(EXPR index "${index} + 1")
    list(GET lines ${index} actual)
    if(NOT actual STREQUAL value)
        message(FATAL_ERROR "${key} is \"${actual}\", expected \"${value}\"")
    endif()
endforeach()
list(FIND lines "LegalCopyright" index)
if(index EQUAL -1)
    message(FATAL_ERROR "the program's version record has no LegalCopyright")
endif()
message(STATUS "${program}: Windows GUI, icon IDI_ICON1, version ${VERSION} (${RC_VERSION})")
