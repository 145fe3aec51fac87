# Run by CPack between staging the install and building the package: turns
# the staged tree into what Debian policy expects of a package, without
# changing what a plain `cmake --install` lays out. Manual pages go in
# compressed, a native package carries its changelog, and every mode is set
# as dh_fixperms would, so the package does not depend on the umask of
# whoever builds it.

cmake_minimum_required(VERSION 3.25)

if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()

set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT IS_DIRECTORY "${root}")
    message(FATAL_ERROR "no staged install at ${root}")
endif()

find_program(GZIP gzip REQUIRED)

# -n leaves out the name and time stamp, so the same input packs the same way.
file(GLOB_RECURSE pages "${root}/share/man/*.[1-9]")
foreach(page IN LISTS pages)
    execute_process(COMMAND ${GZIP} -9nf ${page} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip failed on ${page}")
    endif()
endforeach()

execute_process(COMMAND date -u -R -d "${CPACK_HEARTHVALE_RELEASE_DATE} 00:00 UTC"
    OUTPUT_VARIABLE release_time OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR release_time STREQUAL "")
    message(FATAL_ERROR "cannot read the release date ${CPACK_HEARTHVALE_RELEASE_DATE}")
endif()
set(docdir "${root}/share/doc/${CPACK_PACKAGE_NAME}")
file(MAKE_DIRECTORY "${docdir}")
file(WRITE "${docdir}/changelog"
"${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium

  * Release ${CPACK_PACKAGE_VERSION}; see ${CPACK_PACKAGE_HOMEPAGE_URL}

 -- ${CPACK_DEBIAN_PACKAGE_MAINTAINER}  ${release_time}
")
execute_process(COMMAND ${GZIP} -9nf "${docdir}/changelog" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip failed on the changelog")
endif()

# Files written here, and anything else made with the umask's modes: folders
# and programs rwxr-xr-x, everything else rw-r--r--.
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${root}/*")
foreach(entry IN LISTS entries)
    file(RELATIVE_PATH relative "${root}" "${entry}")
    if(IS_SYMLINK "${entry}")
        continue()
    elseif(IS_DIRECTORY "${entry}" OR relative MATCHES "^s?bin/[^/]+$")
        file(CHMOD "${entry}" PERMISSIONS
            OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    else()
        file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
endforeach()
