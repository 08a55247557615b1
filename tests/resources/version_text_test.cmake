# The version block's text follows the project version: major.minor, the minor in at least
# two digits.
#   cmake -DIDENTITY=resources/identity.cmake -P version_text_test.cmake
cmake_minimum_required(VERSION 3.25)
include("${IDENTITY}")

foreach(row "0 1 0.01" "0 10 0.10" "1 0 1.00" "2 34 2.34" "12 5 12.05" "3 100 3.100")
    string(REPLACE " " ";" row "${row}")
    list(GET row 0 major)
    list(GET row 1 minor)
    list(GET row 2 expected)
    tactora_version_text("${major}" "${minor}" text)
    if(NOT text STREQUAL expected)
        message(SEND_ERROR "version ${major}.${minor} reads \"${text}\", not \"${expected}\"")
    endif()
endforeach()
