# Runs the blend numbers PROGRAM and fails, showing both, unless what it prints is the text
# of GOLDEN; then fails unless README's quantisation table, its rows for srgb and oklab, is
# made of GOLDEN's rows.
#   cmake -DPROGRAM=PROGRAM -DGOLDEN=FILE -DREADME=FILE -P blendnumbers.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE status OUTPUT_VARIABLE output)
file(READ ${GOLDEN} expected)
if(NOT status EQUAL 0 OR NOT output STREQUAL expected)
    message(FATAL_ERROR "${PROGRAM} (status ${status}) printed\n${output}\nnot ${GOLDEN}:\n${expected}")
endif()
file(STRINGS ${GOLDEN} goldenRows)
file(STRINGS ${README} readmeRows REGEX "^\\| [^|]+ \\| (srgb|oklab) \\| [0-9.]+ \\| [0-9]+ \\|")
list(LENGTH readmeRows count)
if(NOT count EQUAL 8)
    message(FATAL_ERROR "README.md has ${count} rows of quantisation numbers, not 8")
endif()
foreach(row IN LISTS readmeRows)
    if(NOT row IN_LIST goldenRows)
        message(FATAL_ERROR "README.md's row is not what ${PROGRAM} prints: ${row}")
    endif()
endforeach()
