# Validates the metainfo with appstreamcli, pedantic checks included, and
# fails on every error, warning, info or pedantic remark except the few
# listed in ALLOWED, each of which is there for a reason given by the caller.
# appstreamcli exits 0 on infos and pedantic remarks, so the exit status
# alone would let new ones slip in unnoticed.
#
#   cmake -DAPPSTREAMCLI=... -DFILE=... [-DALLOWED=tag;tag:detail] -P check_metainfo.cmake
#
# An entry "tag" allows that remark whatever it is about; "tag:detail" only
# where appstreamcli names that detail (e.g. unknown-tag:developer).

cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/../cmake/ScriptHelpers.cmake)
require_definitions(check_metainfo.cmake APPSTREAMCLI FILE)
require_files(${FILE})

execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --pedantic --no-color ${FILE}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
message("appstreamcli validate --no-net --pedantic ${FILE}\nexit status ${status}\n${output}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "appstreamcli rejected ${FILE}")
endif()

set(remarks 0)
set(unexpected "")
string(REPLACE "\n" ";" lines "${output}")
foreach(line IN LISTS lines)
    # A remark: "<severity>: <component>:<line>: <tag> [detail]".
    if(line MATCHES "^([EWIP]): [^ ]+: ([a-z0-9-]+) *([^ ]*)")
        math(EXPR remarks "${remarks} + 1")
        set(severity ${CMAKE_MATCH_1})
        set(tag ${CMAKE_MATCH_2})
        set(detail "${tag}:${CMAKE_MATCH_3}")
        if(severity STREQUAL "E" OR severity STREQUAL "W"
                OR NOT (tag IN_LIST ALLOWED OR detail IN_LIST ALLOWED))
            string(APPEND unexpected "  ${line}\n")
        endif()
    elseif(line MATCHES "^[EWIP]: ")
        string(APPEND unexpected "  ${line} (not understood)\n")
    endif()
endforeach()

if(NOT output MATCHES "Validation was successful")
    message(FATAL_ERROR "appstreamcli did not report success")
endif()
if(NOT unexpected STREQUAL "")
    message(FATAL_ERROR "remarks on ${FILE} that are not expected:\n${unexpected}")
endif()
message(STATUS "${FILE}: valid, ${remarks} expected remark(s)")
