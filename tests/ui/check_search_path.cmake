# Fails when the program's run-time library search path holds an empty entry: the loader
# takes one for the current directory, so the program would load libraries from wherever
# it is started.
cmake_minimum_required(VERSION 3.25)

file(READ_ELF "${PROGRAM}" RPATH rpath RUNPATH runpath CAPTURE_ERROR error)
if(error)
    message(FATAL_ERROR "cannot read ${PROGRAM}: ${error}")
endif()
# The paths come as lists: their entries are separated by ';' instead of ':'.
foreach(path IN ITEMS "${rpath}" "${runpath}")
    if(path MATCHES "(^;|;;|;$)")
        message(FATAL_ERROR "empty entry in the library search path: '${path}'")
    endif()
endforeach()
