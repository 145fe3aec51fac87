# Packages: `cpack -G DEB` in the build folder makes the Debian package; in
# a Windows build, `cpack` makes the zip and the installer. Included from the
# top level after every folder is added, so that CPack sees all of the
# install rules.

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Quillbrook")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_PACKAGE_CONTACT "Quillbrook <ada@quillbrook.example>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillbrook <ada@quillbrook.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# CPack puts the summary above this as the package's one-line synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The Hearthvale Neighborhood Name Generator: press Generate! and it draws
one of 1001 built-in place names at random and shows it in a box, where you
can read it or copy it out. Two buttons open the maker's site and an
associated site in the web browser.")
# dpkg-shlibdeps finds the Qt libraries; Qt loads its platform plugins at run
# time, so no linker can see that the program needs them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Control files, and the folders CPack makes itself, get fixed modes rather
# than whatever the umask of the build gives (CPACK_INSTALL_DEFAULT_DIRECTORY_
# PERMISSIONS follows CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS).
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Compressed manual pages and a changelog, as Debian policy asks of a
# package, and modes made independent of the umask.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/debian_finish.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/debian_ar_modes.cmake)
set(CPACK_HEARTHVALE_RELEASE_DATE ${HEARTHVALE_RELEASE_DATE})

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windows/cpack.cmake)
endif()
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/\\\\.cache/")
include(CPack)
