# The Windows zip and installer, made by `cpack` in a Windows build (the
# Debian package is made by debhelper from debian/). Included from the top
# level after every folder is added, so that CPack sees all of the install
# rules.

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Quillbrook")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_PACKAGE_CONTACT "Ada Wren <hi@quillbrook.example>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # hearthvale-names-1.00-win64.zip, one folder inside, and
    # hearthvale-names-1.00-win64-setup.exe (windows/cpack_names.cmake).
    set(CPACK_GENERATOR ZIP NSIS)
    set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/windows/cpack_names.cmake)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY "Hearthvale Neighborhood Name Generator")
    set(CPACK_PACKAGE_EXECUTABLES hearthvale-names "Hearthvale Neighborhood Name Generator")
    set(CPACK_NSIS_PACKAGE_NAME "Hearthvale Neighborhood Name Generator")
    set(CPACK_NSIS_DISPLAY_NAME "Hearthvale Neighborhood Name Generator")
    # For all users, under Program Files; the template asks for the
    # administrator and installs the shortcuts for everyone.
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
    set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/hearthvale.ico)
    set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/assets/hearthvale.ico)
    set(CPACK_NSIS_INSTALLED_ICON_NAME hearthvale-names.exe)
    set(CPACK_NSIS_URL_INFO_ABOUT ${PROJECT_HOMEPAGE_URL})
    set(CPACK_NSIS_CONTACT ${CPACK_PACKAGE_CONTACT})
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    set(CPACK_NSIS_MODIFY_PATH OFF)
    # A 64-bit installer for a 64-bit program: it sees the 64-bit Program
    # Files and registry as the program does, and runs where only 64-bit
    # programs run (Wine without its 32-bit half).
    set(CPACK_NSIS_DEFINES "Unicode true\n  Target amd64-unicode")
endif()
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/\\\\.cache/")
include(CPack)
