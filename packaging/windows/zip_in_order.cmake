# Run by CPack after each package (CPACK_POST_BUILD_SCRIPTS): the zip is
# written again with its entries sorted by name, since CPack adds them in
# the order the file system lists them, which differs from one file system
# to the next. As in CPack's own, every entry's times are SOURCE_DATE_EPOCH
# where it is set, in the UTC that cpack_names.cmake set.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
    return()
endif()
get_filename_component(staging "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY)
file(GLOB_RECURSE entries LIST_DIRECTORIES false RELATIVE "${staging}" "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT entries)
foreach(zip IN LISTS CPACK_PACKAGE_FILES)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${zip}" --format=zip -- ${entries}
        WORKING_DIRECTORY "${staging}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
