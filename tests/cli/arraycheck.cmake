# Writes one array and its header with tintwright-gen, given the program's arguments after
# "--", and compiles them together as strict C99. Given the ARM toolchain, also builds the C
# and the assembler output for the GBA and checks that their .rodata bytes equal format bin
# (the C only when it is declared const: otherwise it is not read-only data).
#   cmake -DGENERATOR=PROGRAM -DC_COMPILER=CC -DWORK=FOLDER
#         [-DARM_GCC=.. -DARM_AS=.. -DARM_OBJCOPY=..] -P arraycheck.cmake -- ARGUMENT...
cmake_minimum_required(VERSION 3.25)
set(args)
set(after_dashes FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
    if(after_dashes)
        list(APPEND args "${CMAKE_ARGV${i}}")
    elseif(CMAKE_ARGV${i} STREQUAL "--")
        set(after_dashes TRUE)
    endif()
endforeach()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    if(NOT status EQUAL 0)
        string(JOIN " " command ${ARGN})
        message(FATAL_ERROR "${command}\nfailed (${status}):\n${output}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
run(${GENERATOR} ${args} -o ${WORK}/array.c --header ${WORK}/array.h)
set(strict -std=c99 -pedantic -Wall -Wextra -Werror -include stdint.h -Du16=uint16_t -DCOLOR=uint16_t
    -include ${WORK}/array.h)
run(${C_COMPILER} ${strict} -c ${WORK}/array.c -o ${WORK}/array.o)
if(NOT ARM_GCC)
    return()
endif()

run(${GENERATOR} ${args} -f bin -o ${WORK}/array.bin)
run(${GENERATOR} ${args} -f asm -o ${WORK}/array.s)
run(${ARM_AS} ${WORK}/array.s -o ${WORK}/asm.o)
run(${ARM_GCC} -mthumb -mcpu=arm7tdmi ${strict} -c ${WORK}/array.c -o ${WORK}/c.o)
set(objects asm)
if("--const" IN_LIST args)
    list(APPEND objects c)
endif()
foreach(object ${objects})
    run(${ARM_OBJCOPY} -O binary -j .rodata ${WORK}/${object}.o ${WORK}/${object}.rodata)
    run(${CMAKE_COMMAND} -E compare_files ${WORK}/${object}.rodata ${WORK}/array.bin)
endforeach()
