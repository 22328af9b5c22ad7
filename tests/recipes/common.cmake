# The recipe tests' helpers: the README's blocks, commands that must succeed, the game the
# build recipes build, and what its builds ran.

# Sets OUT to the text of the fenced block that follows the line <!-- test: NAME --> in
# README, so that the README's text can move round its tested blocks.
function(readme_block readme name out)
    file(READ ${readme} text)
    set(marker "<!-- test: ${name} -->\n```")
    string(FIND "${text}" "${marker}" start)
    if(start EQUAL -1)
        message(FATAL_ERROR "README.md has no block marked ${name}")
    endif()
    string(SUBSTRING "${text}" ${start} -1 text)
    string(REGEX MATCH "^[^\n]*\n```[^\n]*\n(.*)" text "${text}")
    string(FIND "${CMAKE_MATCH_1}" "\n```" end)
    string(SUBSTRING "${CMAKE_MATCH_1}" 0 ${end} block)
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

# Writes the game the build recipes build: the README's sky in SKY_FOLDER, and a night sky
# with a hyphen in its name and main.c in MAIN_FOLDER; the stop files' own options set each
# array's name and length. Puts the generator on the PATH, where the recipes look for it.
function(write_game sky_folder main_folder)
    readme_block(${README} sky-stops skyStops)
    file(WRITE ${sky_folder}/sky.stops "${skyStops}")
    file(WRITE ${main_folder}/night-sky.stops "-s 4\n#000000 Black\n#FFFFFF White\n")
    file(WRITE ${main_folder}/main.c [=[
#include "night-sky.h"
#include "sky.h"
_Static_assert(sizeof skyGradient == 161 * 2 && sizeof night_sky == 4 * 2, "lengths");
int main(void) { return skyGradient[0] == night_sky[0]; }
]=])
    get_filename_component(generatorFolder ${GENERATOR} DIRECTORY)
    set(ENV{PATH} "${generatorFolder}:$ENV{PATH}")
endfunction()

# Builds the game written by write_game with STEP, a function that builds and checks that it
# ran its arguments after the first: FIRST, then nothing, then TOUCHED after touching
# sky.stops and CHANGED after changing a stop in night-sky.stops, each followed by a build
# that runs nothing.
function(expect_rebuilds step sky_folder main_folder first touched changed)
    cmake_language(CALL ${step} "first build" ${first})
    cmake_language(CALL ${step} "second build")
    file(TOUCH ${sky_folder}/sky.stops)
    cmake_language(CALL ${step} "build after touching sky.stops" ${touched})
    cmake_language(CALL ${step} "the build after that")
    file(WRITE ${main_folder}/night-sky.stops "-s 4\n#0000FF Blue\n#FFFFFF White\n")
    cmake_language(CALL ${step} "build after changing a stop" ${changed})
    cmake_language(CALL ${step} "the build after that")
endfunction()
