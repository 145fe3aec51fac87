# Runs a validator on one file and fails on a non-zero exit or on any output
# at all: several validators print warnings and hints but still exit 0, and
# those are exactly what we want to hear about.
#
#   cmake -DVALIDATOR=<program> [-DVALIDATOR_ARGS=a;b] -DFILE=<file> -P run_silent_validator.cmake

cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/../cmake/ScriptHelpers.cmake)
require_definitions(run_silent_validator.cmake VALIDATOR FILE)
require_files(${FILE})

execute_process(COMMAND ${VALIDATOR} ${VALIDATOR_ARGS} ${FILE}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
string(STRIP "${output}" stripped)
message("${VALIDATOR} ${VALIDATOR_ARGS} ${FILE}\nexit status ${status}\n${output}")

if(NOT status EQUAL 0)
    message(FATAL_ERROR "the validator rejected ${FILE}")
endif()
if(NOT stripped STREQUAL "")
    message(FATAL_ERROR "the validator had remarks on ${FILE}")
endif()
