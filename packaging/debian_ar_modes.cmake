# Run by CPack after it has written the .deb. CPack (as of 3.25) gives the
# three members of the package's outer ar archive (debian-binary, control.tar.*,
# data.tar.*) the modes of the files it has just made for them, so under a
# umask of 0002 they are packed as rw-rw-r-- and the package differs from one
# built under 0022. This sets each member's mode to 100644, as dpkg-deb
# writes it, and leaves every other byte alone.

cmake_minimum_required(VERSION 3.25)

if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
find_program(DD dd REQUIRED)

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT deb MATCHES "\\.deb$")
        continue()
    endif()
    file(READ "${deb}" magic LIMIT 8)
    if(NOT magic STREQUAL "!<arch>\n")
        message(FATAL_ERROR "${deb} is not an ar archive")
    endif()
    file(SIZE "${deb}" size)
    # Each member: a 60-byte header (name 16, mtime 12, uid 6, gid 6, mode 8,
    # size 10, end 2), then its data, padded to an even length.
    set(at 8)
    while(at LESS size)
        file(READ "${deb}" header OFFSET ${at} LIMIT 60)
        string(SUBSTRING "${header}" 40 8 mode)
        string(SUBSTRING "${header}" 48 10 length)
        string(STRIP "${length}" length)
        if(NOT length MATCHES "^[0-9]+$")
            message(FATAL_ERROR "${deb}: no ar member header at byte ${at}")
        endif()
        if(NOT mode STREQUAL "100644  ")
            math(EXPR mode_at "${at} + 40")
            execute_process(
                COMMAND ${CMAKE_COMMAND} -E echo_append "100644  "
                COMMAND ${DD} "of=${deb}" bs=1 seek=${mode_at} count=8 conv=notrunc status=none
                RESULT_VARIABLE status)
            if(NOT status EQUAL 0)
                message(FATAL_ERROR "${deb}: could not set the mode of the member at byte ${at}")
            endif()
        endif()
        math(EXPR at "${at} + 60 + ${length} + ${length} % 2")
    endwhile()
endforeach()
