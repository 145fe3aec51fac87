# Draws every asset afresh into OUTDIR and compares it with the committed copy
# in COMMITTED; no committed picture may be left over that the generator no
# longer draws.
#   cmake -DGENERATOR=... -DOUTDIR=... -DCOMMITTED=... -DQT_VERSION=... [-DEMULATOR=...] -P compare_assets.cmake
#
# EMULATOR runs the generator where it is built for another system (Wine for
# a Windows build made on Linux).
#
# Some parts must match exactly whatever Qt draws them: the sizes and formats
# of every file, the panel interiors where the controls sit and the two
# emblems in the background, and the icon file's directory, headers and
# palette. The rest (the landscape, the icons' pixels, the PNGs' compressed
# data) comes out of Qt's rasteriser and image writers, which change between
# Qt versions. COMMITTED/drawn-with-qt.txt names the Qt that drew the
# committed copies: built against that Qt, every byte must match, so any
# change to the generator fails; built against another, differences there
# are reported as such and not counted.

cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/../cmake/ScriptHelpers.cmake)
require_definitions(compare_assets.cmake GENERATOR OUTDIR COMMITTED QT_VERSION)

# The parts of the background the window relies on, as rows "y x0 x1"
# (inclusive, from the top left) of the 640 x 480 picture: where the controls
# sit on the two panels, and the two emblems' discs inside their white rim
# (pixel centres within 11.5 of the emblem's centre at (23.5, 18.5) and
# (23.5, 378.5), where no landscape shows through the antialiased edge). In a
# picture with twice the pixels each way, each row stands for two rows of
# twice the length.
set(sharp_rows "")
foreach(box "48 8 265 30" "48 368 337 465")   # upper and lower panel interiors
    separate_arguments(box UNIX_COMMAND "${box}")
    list(GET box 0 x0)
    list(GET box 1 y0)
    list(GET box 2 x1)
    list(GET box 3 y1)
    foreach(y RANGE ${y0} ${y1})
        list(APPEND sharp_rows "${y} ${x0} ${x1}")
    endforeach()
endforeach()
foreach(centre_y 18 378)
    foreach(dy RANGE -11 11)
        # The largest half-width h with h*h + dy*dy <= 132 (11.5 squared).
        set(half 0)
        foreach(h RANGE 11)
            math(EXPR distance "${h} * ${h} + (${dy}) * (${dy})")
            if(distance LESS_EQUAL 132)
                set(half ${h})
            endif()
        endforeach()
        math(EXPR y "${centre_y} + ${dy}")
        math(EXPR x0 "23 - ${half}")
        math(EXPR x1 "23 + ${half}")
        list(APPEND sharp_rows "${y} ${x0} ${x1}")
    endforeach()
endforeach()

set(stamp "${COMMITTED}/drawn-with-qt.txt")
if(EXISTS "${stamp}")
    file(STRINGS "${stamp}" drawn_with LIMIT_COUNT 1)
    string(STRIP "${drawn_with}" drawn_with)
else()
    set(drawn_with "(unknown: ${stamp} is missing)")
endif()
if(drawn_with STREQUAL QT_VERSION)
    set(same_qt TRUE)
else()
    set(same_qt FALSE)
endif()

# A fresh folder, so a file the generator stopped writing cannot linger.
file(REMOVE_RECURSE "${OUTDIR}")
execute_process(COMMAND ${EMULATOR} "${GENERATOR}" "${OUTDIR}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()

file(GLOB_RECURSE generated LIST_DIRECTORIES false RELATIVE "${OUTDIR}" "${OUTDIR}/*")
if(NOT generated)
    message(FATAL_ERROR "${GENERATOR} wrote nothing into ${OUTDIR}")
endif()
list(SORT generated)

# Sets <out> to a description of the first exact part that differs between
# the fresh file A and the committed file B, or to "" if all of them match.
function(sharp_parts_differ out name a b)
    file(SIZE "${a}" size_a)
    file(SIZE "${b}" size_b)
    if(NOT size_a EQUAL size_b)
        set(${out} "file size ${size_a} bytes, committed ${size_b}" PARENT_SCOPE)
        return()
    endif()

    # The parts that must match, as "OFFSET|LENGTH|what they are".
    set(parts "")
    if(name MATCHES "\\.bmp$")
        # File and info headers: size, width, height, depth, compression.
        list(APPEND parts "0|54|BMP headers (size or format)")
        if(NOT name MATCHES "^background")
            set(sharp_rows "") # the installer's pictures have no controls on them
        endif()
        read_le(data "${a}" 10 4)
        read_le(width "${a}" 18 4)
        read_le(height "${a}" 22 4)
        math(EXPR stride "((${width} * 3 + 3) / 4) * 4")
        math(EXPR scale "${width} / 640")
        if(scale LESS 1)
            set(scale 1)
        endif()
        math(EXPR last_sub_row "${scale} - 1")
        foreach(row IN LISTS sharp_rows)
            separate_arguments(row UNIX_COMMAND "${row}")
            list(GET row 0 y)
            list(GET row 1 x0)
            list(GET row 2 x1)
            math(EXPR length "(${x1} - ${x0} + 1) * 3 * ${scale}")
            foreach(sub RANGE ${last_sub_row})
                # Rows are stored bottom up.
                math(EXPR at "${data} + (${height} - 1 - ${y} * ${scale} - ${sub}) * ${stride} + ${x0} * ${scale} * 3")
                list(APPEND parts "${at}|${length}|panel or emblem pixels (row ${y}, x ${x0} to ${x1}, at ${scale}x)")
            endforeach()
        endforeach()
    elseif(name MATCHES "\\.ico$")
        # The directory, then each image's header and its 16-colour palette.
        read_le(count "${a}" 4 2)
        math(EXPR directory "6 + 16 * ${count}")
        list(APPEND parts "0|${directory}|icon directory (number, sizes or depths of the images)")
        math(EXPR last "${count} - 1")
        foreach(i RANGE ${last})
            math(EXPR entry "6 + 16 * ${i} + 12")
            read_le(image "${a}" ${entry} 4)
            list(APPEND parts "${image}|104|header or palette of icon image ${i}")
        endforeach()
    elseif(name MATCHES "\\.png$")
        # Signature and IHDR: size, bit depth, colour type, interlacing.
        list(APPEND parts "0|33|PNG header (size or format)")
    else()
        set(${out} "contents (a file of a kind with no parts that may differ)" PARENT_SCOPE)
        return()
    endif()

    foreach(part IN LISTS parts)
        string(REPLACE "|" ";" part "${part}")
        list(POP_FRONT part offset length)
        bytes_differ(differ "${a}" "${b}" ${offset} ${length})
        if(differ)
            list(JOIN part "|" what)
            set(${out} "${what}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} "" PARENT_SCOPE)
endfunction()

set(problems "")
set(qt_differences "")
foreach(name IN LISTS generated)
    if(NOT EXISTS "${COMMITTED}/${name}")
        string(APPEND problems "  ${name}: drawn but not committed\n")
        continue()
    endif()
    file(SHA256 "${OUTDIR}/${name}" fresh)
    file(SHA256 "${COMMITTED}/${name}" kept)
    if(fresh STREQUAL kept)
        message(STATUS "same: ${name}")
        continue()
    endif()
    sharp_parts_differ(part "${name}" "${OUTDIR}/${name}" "${COMMITTED}/${name}")
    if(NOT part STREQUAL "")
        string(APPEND problems "  ${name}: ${part} differ from the committed copy\n")
    elseif(same_qt)
        string(APPEND problems "  ${name}: differs from the committed copy, drawn with this same Qt ${QT_VERSION}\n")
    else()
        string(APPEND qt_differences "  ${name}\n")
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
        "(rerun hearthvale-assetgen on the assets folder, and put the Qt version "
        "in drawn-with-qt.txt):\n${problems}")
endif()
if(qt_differences)
    message(STATUS "The committed assets were drawn with Qt ${drawn_with}; this build uses Qt ${QT_VERSION}. "
        "Sizes, formats, the icon palette and the panel and emblem pixels match exactly. "
        "The rest of these differs, as Qt's rasteriser and image writers do between versions; "
        "build against Qt ${drawn_with} to compare them byte for byte:\n${qt_differences}")
endif()
