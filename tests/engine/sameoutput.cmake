# Runs PROGRAM and fails, showing both, unless what it prints is the text of GOLDEN.
#   cmake -DPROGRAM=PROGRAM -DGOLDEN=FILE -P sameoutput.cmake
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE status OUTPUT_VARIABLE output)
file(READ ${GOLDEN} expected)
if(NOT status EQUAL 0 OR NOT output STREQUAL expected)
    message(FATAL_ERROR "${PROGRAM} (status ${status}) printed\n${output}\nnot ${GOLDEN}:\n${expected}")
endif()
