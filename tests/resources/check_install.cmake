# Installs the build into a scratch prefix and checks that the desktop entry, the AppStream
# metadata and the icon land where desktops look for them.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${PREFIX}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result
    OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(path
        "share/applications/${APP_ID}.desktop"
        "share/metainfo/${APP_ID}.metainfo.xml"
        "share/icons/hicolor/16x16/apps/${APP_ID}.png")
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

# The icon is the 16 x 16 picture, as a PNG file.
file(READ "${PREFIX}/share/icons/hicolor/16x16/apps/${APP_ID}.png" header LIMIT 24 HEX)
if(NOT header MATCHES "^89504e470d0a1a0a........494844520000001000000010$")
    message(FATAL_ERROR "the installed icon is not a 16 x 16 PNG picture: ${header}")
endif()
