# Makes the clerk's manual, help/manual.html with its pictures beside it, from
# the README's section "## 事務の方へ（使い方）" (up to the next "## " heading).
# The program shows it with F1 and ヘルプ → 使い方, so it must read without a
# network: the pictures are copied and referred to by their bare names.
#
#   cmake -DREADME=README.md -DSOURCE_DIR=. -DOUTPUT_DIR=build/help
#         -DCMARK=/usr/bin/cmark-gfm -P manual.cmake

cmake_minimum_required(VERSION 3.16)

set(heading "## 事務の方へ（使い方）")
file(READ ${README} readme)
string(FIND "${readme}" "\n${heading}\n" start)
if(start EQUAL -1)
    message(FATAL_ERROR "${README} has no section \"${heading}\"")
endif()
math(EXPR start "${start} + 1")
string(SUBSTRING "${readme}" ${start} -1 section)
string(LENGTH "${heading}" heading_length)
string(SUBSTRING "${section}" ${heading_length} -1 rest)
string(FIND "${rest}" "\n## " end)
if(NOT end EQUAL -1)
    math(EXPR end "${end} + ${heading_length}")
    string(SUBSTRING "${section}" 0 ${end} section)
endif()

# The section's heading is the page's: every heading one level up.
string(REGEX REPLACE "(^|\n)#(#+ )" "\\1\\2" section "${section}")

file(MAKE_DIRECTORY ${OUTPUT_DIR})
string(REGEX MATCHALL "!\\[[^]]*\\]\\([^)]+\\)" images "${section}")
foreach(image IN LISTS images)
    string(REGEX REPLACE "^!\\[[^]]*\\]\\(([^)]+)\\)$" "\\1" path "${image}")
    get_filename_component(name ${path} NAME)
    if(NOT EXISTS ${SOURCE_DIR}/${path})
        message(FATAL_ERROR "${README}: the picture ${path} is missing")
    endif()
    file(COPY_FILE ${SOURCE_DIR}/${path} ${OUTPUT_DIR}/${name} ONLY_IF_DIFFERENT)
    string(REPLACE "](${path})" "](${name})" section "${section}")
endforeach()

set(markdown ${OUTPUT_DIR}/manual.md)
file(WRITE ${markdown} "${section}")
execute_process(COMMAND ${CMARK} --extension table --to html ${markdown}
                OUTPUT_VARIABLE body RESULT_VARIABLE failed)
file(REMOVE ${markdown})
if(failed)
    message(FATAL_ERROR "${CMARK} could not turn the section into HTML")
endif()
# A line break inside a Japanese sentence is no space.
string(REGEX REPLACE "([^\r\n\t -~])\n([^\r\n\t -~])" "\\1\\2" body "${body}")

file(WRITE ${OUTPUT_DIR}/manual.html "<!DOCTYPE html>
<html lang=\"ja\">
<head>
<meta charset=\"utf-8\">
<title>Tabulon　使い方</title>
<style>
table { border-collapse: collapse; }
th, td { border: 1px solid #808080; padding: 4px; }
code { font-family: monospace; }
</style>
</head>
<body>
${body}</body>
</html>
")
