# The Windows installer: CPack's NSIS generator (makensis, Debian's package "nsis") wraps
# what install() puts in place, with a Start menu entry and an uninstaller.
include("${PROJECT_SOURCE_DIR}/resources/identity.cmake")
get_target_property(tactora_icon_ico tactora_icon_files TACTORA_ICO_FILE)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME "${TACTORA_PRODUCT_NAME}")
set(CPACK_PACKAGE_VENDOR "${TACTORA_COMPANY_NAME}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${TACTORA_FILE_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME "${TACTORA_INTERNAL_NAME}-${PROJECT_VERSION}-setup")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${TACTORA_PRODUCT_NAME}")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "${TACTORA_PRODUCT_NAME}")
# The program's licence, then the notices of what the Windows build links in: PortAudio's
# licence asks that its copyright notice go with every copy, libsndfile's (the LGPL) that its
# text and word of its source go with it, and the Xiph codecs' that their notices do. Shown by
# the installer and installed beside the program's documentation.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" tactora_licence)
file(READ "${PROJECT_SOURCE_DIR}/packaging/portaudio-copyright.txt" tactora_portaudio_notice)
file(READ "${PROJECT_SOURCE_DIR}/packaging/sndfile-copyright.txt" tactora_sndfile_notice)
set(tactora_licence_file "${CMAKE_BINARY_DIR}/LICENSE.txt")
file(WRITE "${tactora_licence_file}"
    "${tactora_licence}\n\n${tactora_portaudio_notice}\n\n${tactora_sndfile_notice}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/LICENSE"
    "${PROJECT_SOURCE_DIR}/packaging/portaudio-copyright.txt"
    "${PROJECT_SOURCE_DIR}/packaging/sndfile-copyright.txt")
install(FILES "${tactora_licence_file}" DESTINATION "share/doc/${TACTORA_INTERNAL_NAME}")
set(CPACK_RESOURCE_FILE_LICENSE "${tactora_licence_file}")
# Start menu shortcut: program name in bin/, then the shortcut's text.
set(CPACK_PACKAGE_EXECUTABLES "${TACTORA_INTERNAL_NAME}" "${TACTORA_TITLE}")

set(CPACK_NSIS_PACKAGE_NAME "${TACTORA_TITLE}")
set(CPACK_NSIS_DISPLAY_NAME "${TACTORA_TITLE}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON "${tactora_icon_ico}")
set(CPACK_NSIS_MUI_UNIICON "${tactora_icon_ico}")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\${TACTORA_ORIGINAL_FILENAME}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_STRIP_FILES ON)
# A 64-bit installer for the 64-bit program: it finds the 64-bit Program Files folder, and
# runs where only 64-bit Windows programs do (as under Debian's wine64).
set(CPACK_NSIS_DEFINES "  Target amd64-unicode")

include(CPack)
