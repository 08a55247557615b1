# Writes the Windows resource script from its template, the string table, the identity and
# the icon file. Run at build time, because the icon file is made at build time:
#   cmake -DTEMPLATE=... -DSTRING_TABLE=... -DIDENTITY=... -DICO=... -DOUTPUT=...
#         -DPROJECT_VERSION_MAJOR=... -DPROJECT_VERSION_MINOR=... -DPROJECT_VERSION_PATCH=...
#         -P make_resource_script.cmake
cmake_minimum_required(VERSION 3.25)

foreach(input TEMPLATE STRING_TABLE IDENTITY ICO OUTPUT
        PROJECT_VERSION_MAJOR PROJECT_VERSION_MINOR PROJECT_VERSION_PATCH)
    if(NOT DEFINED ${input})
        message(FATAL_ERROR "make_resource_script: ${input} is not given")
    endif()
endforeach()

include("${IDENTITY}")

# CMake lists split at ";" and treat brackets specially; texts travel with these stand-ins.
set(semicolon_standin "<tactora-semicolon>")
set(open_bracket_standin "<tactora-open-bracket>")
set(close_bracket_standin "<tactora-close-bracket>")

function(hide_list_characters text out)
    string(REPLACE ";" "${semicolon_standin}" text "${text}")
    string(REPLACE "[" "${open_bracket_standin}" text "${text}")
    string(REPLACE "]" "${close_bracket_standin}" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(restore_list_characters text out)
    string(REPLACE "${semicolon_standin}" "\;" text "${text}")
    string(REPLACE "${open_bracket_standin}" "[" text "${text}")
    string(REPLACE "${close_bracket_standin}" "]" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A plain text as the inside of an RC string literal: a backslash doubled, a quote doubled.
function(rc_quote text out)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\"\"" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The inside of a C string literal of the table as an RC string literal. The table uses only
# the escapes \\ and \"; anything else is refused rather than guessed at.
set(backslash_standin "<tactora-backslash>")
function(c_literal_to_rc literal out)
    string(REPLACE "\\\\" "${backslash_standin}" text "${literal}")
    string(REPLACE "\\\"" "\"" text "${text}")
    if(text MATCHES "\\\\")
        message(FATAL_ERROR "make_resource_script: unsupported escape in \"${literal}\"")
    endif()
    string(REPLACE "${backslash_standin}" "\\" text "${text}")
    rc_quote("${text}" text)
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# --- The string table -------------------------------------------------------------------
file(READ "${STRING_TABLE}" table)
hide_list_characters("${table}" table)
string(REPLACE "\r" "" table "${table}")
string(REPLACE "\n" ";" table_lines "${table}")
set(TACTORA_RC_STRINGS "")
set(ids "")
foreach(line IN LISTS table_lines)
    if(line MATCHES "^[ \t]*(//.*)?$")
        continue()
    endif()
    if(NOT line MATCHES "^TACTORA_STRING\\(([0-9]+), \"(.*)\"\\)$")
        message(FATAL_ERROR "make_resource_script: cannot read the string table line: ${line}")
    endif()
    set(id "${CMAKE_MATCH_1}")
    c_literal_to_rc("${CMAKE_MATCH_2}" text)
    if(id IN_LIST ids)
        message(FATAL_ERROR "make_resource_script: string ${id} is in the table twice")
    endif()
    list(APPEND ids "${id}")
    string(APPEND TACTORA_RC_STRINGS "    ${id}, \"${text}\"\n")
endforeach()
string(REGEX REPLACE "\n$" "" TACTORA_RC_STRINGS "${TACTORA_RC_STRINGS}")
restore_list_characters("${TACTORA_RC_STRINGS}" TACTORA_RC_STRINGS)

# --- The icon ---------------------------------------------------------------------------
file(READ "${ICO}" ico HEX)
string(LENGTH "${ico}" ico_hex_length)
math(EXPR ico_size "${ico_hex_length} / 2")

# Little-endian unsigned numbers of the icon file.
function(ico_number offset size out)
    math(EXPR end "${offset} + ${size}")
    if(end GREATER ico_size)
        message(FATAL_ERROR "make_resource_script: ${ICO} ends before byte ${end}")
    endif()
    set(hex "")
    set(i ${size})
    while(i GREATER 0)
        math(EXPR i "${i} - 1")
        math(EXPR at "(${offset} + ${i}) * 2")
        string(SUBSTRING "${ico}" ${at} 2 byte)
        string(APPEND hex "${byte}")
    endwhile()
    math(EXPR value "0x${hex}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()

ico_number(0 2 reserved)
ico_number(2 2 type)
ico_number(4 2 image_count)
if(NOT reserved EQUAL 0 OR NOT type EQUAL 1 OR image_count EQUAL 0)
    message(FATAL_ERROR "make_resource_script: ${ICO} is not an icon file")
endif()

# Image ids start at 30001; the group is 1.
set(first_image_id 30001)
set(images "")
set(group_entries "")
math(EXPR last_image "${image_count} - 1")
foreach(image RANGE ${last_image})
    math(EXPR entry "6 + 16 * ${image}")
    math(EXPR image_id "${first_image_id} + ${image}")
    # The offset is an arithmetic expression, worked out inside ico_number.
    ico_number("${entry}" 1 width)
    ico_number("${entry} + 1" 1 height)
    ico_number("${entry} + 2" 1 colours)
    ico_number("${entry} + 3" 1 entry_reserved)
    ico_number("${entry} + 4" 2 planes)
    ico_number("${entry} + 6" 2 bits)
    ico_number("${entry} + 8" 4 bytes)
    ico_number("${entry} + 12" 4 offset)
    math(EXPR end "${offset} + ${bytes}")
    if(end GREATER ico_size)
        message(FATAL_ERROR "make_resource_script: image ${image} of ${ICO} lies outside the file")
    endif()
    # Raw data is written in 16-bit words; images in the bitmap form always have an even size.
    math(EXPR odd "${bytes} % 2")
    if(odd)
        message(FATAL_ERROR "make_resource_script: image ${image} of ${ICO} has an odd size")
    endif()

    string(APPEND images "${image_id} 3\nBEGIN")
    math(EXPR word_count "${bytes} / 2")
    math(EXPR last_word "${word_count} - 1")
    foreach(word RANGE ${last_word})
        math(EXPR at "(${offset} + 2 * ${word}) * 2")
        string(SUBSTRING "${ico}" ${at} 2 low)
        math(EXPR at "${at} + 2")
        string(SUBSTRING "${ico}" ${at} 2 high)
        math(EXPR column "${word} % 8")
        if(column EQUAL 0)
            string(APPEND images "\n   ")
        endif()
        if(word LESS last_word)
            string(APPEND images " 0x${high}${low},")
        else()
            string(APPEND images " 0x${high}${low}")
        endif()
    endforeach()
    string(APPEND images "\nEND\n\n")

    # One group entry: width and height, colour count and reserved byte, planes, bits per
    # pixel, the image's size and its id.
    math(EXPR size_and_colours_hex "${height} * 256 + ${width}" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR colours_and_reserved_hex "${entry_reserved} * 256 + ${colours}" OUTPUT_FORMAT HEXADECIMAL)
    string(APPEND group_entries
        ",\n    ${size_and_colours_hex}, ${colours_and_reserved_hex}, ${planes}, ${bits}, ${bytes}L, ${image_id}")
endforeach()

set(TACTORA_RC_ICON "${images}")
string(APPEND TACTORA_RC_ICON "1 14\nBEGIN\n    0, 1, ${image_count}${group_entries}\nEND\n")

# --- The version block ------------------------------------------------------------------
rc_quote("${TACTORA_COMPANY_NAME}" RC_COMPANY_NAME)
rc_quote("${TACTORA_FILE_DESCRIPTION}" RC_FILE_DESCRIPTION)
rc_quote("${TACTORA_VERSION_TEXT}" RC_VERSION_TEXT)
rc_quote("${TACTORA_INTERNAL_NAME}" RC_INTERNAL_NAME)
rc_quote("${TACTORA_LEGAL_COPYRIGHT}" RC_LEGAL_COPYRIGHT)
rc_quote("${TACTORA_ORIGINAL_FILENAME}" RC_ORIGINAL_FILENAME)
rc_quote("${TACTORA_PRODUCT_NAME}" RC_PRODUCT_NAME)

configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
