# The recipe tests' helpers: the README's blocks, commands that must succeed, and what a
# build ran.

# Sets OUT to the text of the INDEXth (from 0) fenced block marked LANGUAGE in README's
# "Using it in a build" section, the recipes as users copy them.
function(readme_block readme language index out)
    file(READ ${readme} text)
    string(REGEX MATCH "\n## Using it in a build\n(.*)" section "${text}")
    string(REGEX REPLACE "\n## .*" "" section "${CMAKE_MATCH_1}")
    foreach(i RANGE ${index})
        string(FIND "${section}" "\n```${language}\n" start)
        if(start EQUAL -1)
            message(FATAL_ERROR "README.md has no ${language} block ${index} in its build section")
        endif()
        string(LENGTH "\n```${language}\n" fence)
        math(EXPR start "${start} + ${fence}")
        string(SUBSTRING "${section}" ${start} -1 section)
    endforeach()
    string(FIND "${section}" "\n```" end)
    string(SUBSTRING "${section}" 0 ${end} block)
    set(${out} "${block}\n" PARENT_SCOPE)
endfunction()

# Runs a command in FOLDER and fails the test unless it exits 0; OUT gets what it printed.
function(run_in folder out)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${folder} RESULT_VARIABLE status
        OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0)
        string(JOIN " " command ${ARGN})
        message(FATAL_ERROR "${command}\nfailed (${status}):\n${output}")
    endif()
    set(${out} "${output}" PARENT_SCOPE)
endfunction()

# Fails the test unless the matches of PATTERN in OUTPUT, each replaced by REPLACEMENT and
# sorted, are the list EXPECTED.
function(expect_lines step output pattern replacement expected)
    string(REGEX MATCHALL "${pattern}" lines "\n${output}")
    set(got)
    foreach(line ${lines})
        string(REGEX REPLACE "${pattern}" "${replacement}" line "${line}")
        list(APPEND got "${line}")
    endforeach()
    list(SORT got)
    list(SORT expected)
    if(NOT "${got}" STREQUAL "${expected}")
        message(FATAL_ERROR "${step}: ran [${got}], expected [${expected}]:\n${output}")
    endif()
endfunction()
