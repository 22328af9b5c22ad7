# Checks that the manual page describes every option that tintwright-gen --help lists, and
# names every option that a stop file may set where it lists them.
#   cmake -DGENERATOR=PROGRAM -DMANUAL=FILE -DWORK=FOLDER -P manpage.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${MANUAL} manual)
string(REPLACE "\\-" "-" manual "${manual}")
string(REGEX MATCH "\n.SH OPTIONS\n.*" described "${manual}")
string(REGEX REPLACE "\n.SH FILES\n.*" "" described "${described}")
string(REGEX MATCH "Such lines may set[^\n]*\n[^\n]*" settable "${manual}")

# Fails unless there are options after TEXT and TEXT holds each of them as a word.
function(expect_options what text)
    if(NOT ARGN)
        message(FATAL_ERROR "${what}: the generator named no options to look for")
    endif()
    foreach(option ${ARGN})
        if(NOT text MATCHES "[ \n]${option}[ \n]")
            message(FATAL_ERROR "${what} lacks ${option}")
        endif()
    endforeach()
endfunction()

execute_process(COMMAND ${GENERATOR} --help OUTPUT_VARIABLE help)
string(REGEX MATCHALL "\n  (-[a-z], |    )--[-a-z]+" listed "${help}")
string(REGEX REPLACE "\n  (-[a-z], |    )" "" listed "${listed}")
expect_options("the manual's OPTIONS" "${described}" ${listed})

# The generator names the options a stop file may set when it refuses one; the manual lists
# an option by its short form where it has one.
file(WRITE ${WORK}/refused.stops "-o elsewhere\n")
execute_process(COMMAND ${GENERATOR} -i ${WORK}/refused.stops ERROR_VARIABLE refusal)
string(REGEX MATCH "sets only [^\n]*" fileOptions "${refusal}")
string(REGEX MATCHALL "--[-a-z]+" fileOptions "${fileOptions}")
set(named)
foreach(option ${fileOptions})
    if(help MATCHES "(-[a-z]), ${option} ")
        set(option ${CMAKE_MATCH_1})
    endif()
    list(APPEND named ${option})
endforeach()
expect_options("the manual's list of what a stop file may set" "${settable}" ${named})
