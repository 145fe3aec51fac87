# Fails when a C++ source strays from .clang-format, naming the files.
#   cmake -DCLANG_FORMAT=... -DSOURCE_DIR=... -P check_format.cmake
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
    ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
    ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/packaging/*.cpp)
set(unformatted "")
foreach(source IN LISTS sources)
    execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${source}
        WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(NOT status EQUAL 0)
        list(APPEND unformatted ${source})
    endif()
endforeach()
if(unformatted)
    list(JOIN unformatted "\n  " listed)
    message(FATAL_ERROR "Not formatted as .clang-format says (run clang-format -i on them):\n  ${listed}")
endif()
list(LENGTH sources count)
message(STATUS "${count} sources formatted")
