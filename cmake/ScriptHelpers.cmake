# Helpers for the check scripts run with `cmake -P`.

# Stops with a message naming SCRIPT unless every one of the variables that
# follow was given with -D.
function(require_definitions script)
    foreach(var IN LISTS ARGN)
        if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
            message(FATAL_ERROR "${script} needs -D${var}=...")
        endif()
    endforeach()
endfunction()

# LENGTH bytes at OFFSET of FILE as hex; stops if the file is shorter.
function(read_hex out file offset length)
    file(READ "${file}" hex OFFSET ${offset} LIMIT ${length} HEX)
    string(LENGTH "${hex}" got)
    math(EXPR want "${length} * 2")
    if(NOT got EQUAL want)
        message(FATAL_ERROR "${file} is too short: ${length} bytes at ${offset} wanted")
    endif()
    set(${out} "${hex}" PARENT_SCOPE)
endfunction()

# A little-endian unsigned number of LENGTH bytes at OFFSET of FILE.
function(read_le out file offset length)
    read_hex(hex "${file}" ${offset} ${length})
    set(value 0)
    math(EXPR last "${length} - 1")
    foreach(i RANGE ${last} 0 -1)
        math(EXPR at "${i} * 2")
        string(SUBSTRING "${hex}" ${at} 2 byte)
        math(EXPR value "(${value} << 8) + 0x${byte}")
    endforeach()
    set(${out} ${value} PARENT_SCOPE)
endfunction()

# Sets OUT to TRUE if files A and B differ in LENGTH bytes at OFFSET.
function(bytes_differ out a b offset length)
    read_hex(ha "${a}" ${offset} ${length})
    read_hex(hb "${b}" ${offset} ${length})
    if(ha STREQUAL hb)
        set(${out} FALSE PARENT_SCOPE)
    else()
        set(${out} TRUE PARENT_SCOPE)
    endif()
endfunction()

# Stops unless every file named exists.
function(require_files)
    foreach(file IN LISTS ARGN)
        if(NOT EXISTS "${file}")
            message(FATAL_ERROR "${file} does not exist")
        endif()
    endforeach()
endfunction()

# Runs COMMAND (in WORKING_DIRECTORY, if given) and stops, naming WHAT and
# showing what it printed, unless it succeeds; OUTPUT gets what it printed.
#   run_or_fail(OUTPUT var WHAT "objdump" [WORKING_DIRECTORY dir] COMMAND ...)
function(run_or_fail)
    cmake_parse_arguments(PARSE_ARGV 0 run "" "OUTPUT;WHAT;WORKING_DIRECTORY" "COMMAND")
    if(NOT run_WORKING_DIRECTORY)
        set(run_WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
    endif()
    execute_process(COMMAND ${run_COMMAND} WORKING_DIRECTORY "${run_WORKING_DIRECTORY}"
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${run_WHAT} failed (${status}):\n${output}")
    endif()
    if(run_OUTPUT)
        set(${run_OUTPUT} "${output}" PARENT_SCOPE)
    endif()
endfunction()
