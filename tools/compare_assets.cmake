# Draws every asset afresh into OUTDIR and insists that each one is byte for
# byte the committed copy in COMMITTED, and that no committed picture is
# left over that the generator no longer draws.
#   cmake -DGENERATOR=... -DOUTDIR=... -DCOMMITTED=... -P compare_assets.cmake

cmake_minimum_required(VERSION 3.25)

foreach(var GENERATOR OUTDIR COMMITTED)
    if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
        message(FATAL_ERROR "compare_assets.cmake needs -D${var}=...")
    endif()
endforeach()

# A fresh folder, so a file the generator stopped writing cannot linger.
file(REMOVE_RECURSE "${OUTDIR}")
execute_process(COMMAND "${GENERATOR}" "${OUTDIR}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()

file(GLOB_RECURSE generated LIST_DIRECTORIES false RELATIVE "${OUTDIR}" "${OUTDIR}/*")
if(NOT generated)
    message(FATAL_ERROR "${GENERATOR} wrote nothing into ${OUTDIR}")
endif()
list(SORT generated)

set(problems "")
foreach(name IN LISTS generated)
    if(NOT EXISTS "${COMMITTED}/${name}")
        string(APPEND problems "  ${name}: drawn but not committed\n")
        continue()
    endif()
    file(SHA256 "${OUTDIR}/${name}" fresh)
    file(SHA256 "${COMMITTED}/${name}" kept)
    if(fresh STREQUAL kept)
        message(STATUS "same: ${name}")
    else()
        string(APPEND problems "  ${name}: differs from the committed copy\n")
    endif()
endforeach()

file(GLOB_RECURSE committed LIST_DIRECTORIES false RELATIVE "${COMMITTED}"
    "${COMMITTED}/*.png" "${COMMITTED}/*.bmp" "${COMMITTED}/*.ico")
foreach(name IN LISTS committed)
    if(NOT name IN_LIST generated)
        string(APPEND problems "  ${name}: committed but no longer drawn\n")
    endif()
endforeach()

if(problems)
    message(FATAL_ERROR "The committed assets do not match the generator "
        "(rerun hearthvale-assetgen on the assets folder):\n${problems}")
endif()
