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
# The icon file holds one image, right after its directory and the directory's one entry.
# The group is that directory, its entry ending in the image's id instead of its offset.
file(READ "${ICO}" ico HEX)
# (directory: 0, 1 = icon, 1 image; the entry's 12 bytes before the offset; offset 22)
if(NOT ico MATCHES "^000001000100(........................)16000000(.+)$")
    message(FATAL_ERROR "make_resource_script: ${ICO} is not an icon file with one image")
endif()
set(group_entry_hex "${CMAKE_MATCH_1}")
set(image_hex "${CMAKE_MATCH_2}")

# Bytes (as hex digits) as the 16-bit little-endian words of an RC raw data block.
function(rc_words hex out)
    string(REGEX REPLACE "(..)(..)" "0x\\2\\1, " words "${hex}")
    string(REGEX REPLACE ", $" "" words "${words}")
    # Eight words a line.
    string(REPEAT "0x...., " 8 line)
    string(REGEX REPLACE "(${line})" "\\1\n   " words "${words}")
    string(REPLACE ", \n" ",\n" words "${words}")
    set(${out} "   ${words}" PARENT_SCOPE)
endfunction()

# The image is 30001, the group 1.
rc_words("${image_hex}" image_words)
rc_words("000001000100${group_entry_hex}" group_words)
set(TACTORA_RC_ICON "30001 3\nBEGIN\n${image_words}\nEND\n\n1 14\nBEGIN\n${group_words}, 30001\nEND\n")

# --- The version block ------------------------------------------------------------------
rc_quote("${TACTORA_COMPANY_NAME}" RC_COMPANY_NAME)
rc_quote("${TACTORA_FILE_DESCRIPTION}" RC_FILE_DESCRIPTION)
rc_quote("${TACTORA_VERSION_TEXT}" RC_VERSION_TEXT)
rc_quote("${TACTORA_INTERNAL_NAME}" RC_INTERNAL_NAME)
rc_quote("${TACTORA_LEGAL_COPYRIGHT}" RC_LEGAL_COPYRIGHT)
rc_quote("${TACTORA_ORIGINAL_FILENAME}" RC_ORIGINAL_FILENAME)
rc_quote("${TACTORA_PRODUCT_NAME}" RC_PRODUCT_NAME)

configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
