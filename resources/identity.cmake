# The program's identity, in one place. The version numbers come from project(VERSION)
# (PROJECT_VERSION_MAJOR and _MINOR must be set before this file is read); everything below
# is written into the generated header, the Windows resource script and the desktop files.

# The version block's FileVersion and ProductVersion text: major.minor, the minor in at
# least two digits, so that version 0.1 reads "0.01".
function(tactora_version_text major minor out)
    string(LENGTH "${minor}" digits)
    if(digits LESS 2)
        set(minor "0${minor}")
    endif()
    set(${out} "${major}.${minor}" PARENT_SCOPE)
endfunction()

set(TACTORA_TITLE "Tactora 2004")
tactora_version_text("${PROJECT_VERSION_MAJOR}" "${PROJECT_VERSION_MINOR}" TACTORA_VERSION_TEXT)
set(TACTORA_FILE_DESCRIPTION "Educational audio tool.")
set(TACTORA_PRODUCT_NAME "Tactora 2004")
set(TACTORA_INTERNAL_NAME "tactora04")
set(TACTORA_ORIGINAL_FILENAME "tactora04.exe")
set(TACTORA_COMPANY_NAME "The Tactora 2004 contributors")
set(TACTORA_LEGAL_COPYRIGHT "© 2026 The Tactora 2004 contributors")
set(TACTORA_APP_ID "org.tactora.Tactora2004")

# For the desktop entry and the AppStream metadata.
set(TACTORA_SUMMARY "Calculate bar and beat lengths from a tempo")
set(TACTORA_RELEASE_DATE "2026-12-07")
# Who answers for the Debian package (a placeholder address: the project has none yet). The
# project has no public homepage either, so no metadata names one.
set(TACTORA_MAINTAINER "The Tactora 2004 contributors <tactora2004@example.org>")
