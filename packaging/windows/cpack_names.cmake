# Read by CPack for each generator: the installer is named apart from the zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
# A zip stores each entry's time in the local time of whoever makes it, so
# two builds in two time zones would differ: made in UTC, the entries get
# the same time everywhere (SOURCE_DATE_EPOCH's, where it is set).
set(ENV{TZ} UTC0)
