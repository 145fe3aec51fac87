# The Windows zip and installer: hearthvale-names-1.00-win64.zip, one folder
# inside, and hearthvale-names-1.00-win64-setup.exe (cpack_names.cmake).
# Included from CPackSettings.cmake in a Windows build.

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_names.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/zip_in_order.cmake)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${HEARTHVALE_DISPLAY_NAME}")
set(CPACK_PACKAGE_EXECUTABLES hearthvale-names "${HEARTHVALE_DISPLAY_NAME}")
set(CPACK_NSIS_PACKAGE_NAME "${HEARTHVALE_DISPLAY_NAME}")
set(CPACK_NSIS_DISPLAY_NAME "${HEARTHVALE_DISPLAY_NAME}")
# For all users, under Program Files; the template asks for the
# administrator and installs the shortcuts for everyone.
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME hearthvale-names.exe)
set(CPACK_NSIS_URL_INFO_ABOUT ${PROJECT_HOMEPAGE_URL})
set(CPACK_NSIS_CONTACT ${CPACK_PACKAGE_CONTACT})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)

# Its own look: the program's icon, the uninstaller's own beside it in the
# Start menu, pictures from the program's neighbourhood (drawn by
# tools/assetgen), sharp text on screens set above 100 %, and the offer to
# start the program when it is installed.
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/hearthvale.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/assets/installer/uninstall.ico)
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${PROJECT_SOURCE_DIR}/assets/installer/welcome.bmp)
set(CPACK_NSIS_MUI_HEADERIMAGE ${PROJECT_SOURCE_DIR}/assets/installer/header.bmp)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN hearthvale-names.exe)
# The Welcome and Finish titles name the program: room for three lines, which
# they take on screens set to 150 %.
set(CPACK_NSIS_WELCOME_TITLE_3LINES ON)
set(CPACK_NSIS_FINISH_TITLE_3LINES ON)

# The rest, for which CPack has no variable, in an NSIS file of our own:
# Unicode and 64-bit, the program's name where the tool's would be on every
# page (CPACK_NSIS_BRANDING_TEXT always asks for /TRIM, which makensis
# allows only on Windows), the header picture at the right, a Welcome text,
# no file times stored, and the size that Add/Remove Programs shows.
configure_file(${CMAKE_CURRENT_LIST_DIR}/installer.nsh.in ${PROJECT_BINARY_DIR}/packaging/windows/installer.nsh @ONLY)
set(CPACK_NSIS_DEFINES "!include '${PROJECT_BINARY_DIR}/packaging/windows/installer.nsh'")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro HEARTHVALE_ESTIMATED_SIZE")
