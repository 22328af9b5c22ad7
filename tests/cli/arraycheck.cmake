# Writes one array and its header with tintwright-gen, given the program's arguments in
# ARGS, and compiles them with the C compiler's default standard and as C++17: alone, and in
# game code after no type header, a libgba-style one and a libtonc-style one, with the
# header's length checked; as strict C99 too when the element type needs no typedef; and
# links both objects into a C++ program. Given the ARM toolchain, also builds the C as C and
# as C++ and the assembler output for the GBA, and checks that each holds the array's global
# symbol in its section (.rodata, or .data for C that is not const, or the one --section
# names), with the bytes of format bin.
#   cmake -DGENERATOR=PROGRAM -DC_COMPILER=CC -DCXX_COMPILER=CXX -DWORK=FOLDER -DWARNINGS=FLAGS
#         [-DARM_GCC=.. -DARM_GXX=.. -DARM_AS=.. -DARM_OBJDUMP=.. -DARM_OBJCOPY=..]
#         -DARGS=ARGUMENT;... -P arraycheck.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../recipes/common.cmake)
# The element type, the array's name and its section, as the arguments set them.
set(type u16)
set(name myGradient)
set(section)
foreach(option "-t;type" "-n;name" "--section;section")
    list(GET option 0 flag)
    list(FIND ARGS ${flag} at)
    if(at GREATER -1)
        math(EXPR at "${at} + 1")
        list(GET option 1 variable)
        list(GET ARGS ${at} ${variable})
    endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
run_in(${WORK} output ${GENERATOR} ${ARGS} -o array.c --header array.h)
# The element types as libgba's and libtonc's headers declare them.
file(WRITE ${WORK}/none.h "")
file(WRITE ${WORK}/libgba.h "#include <stdint.h>\ntypedef uint16_t u16;\n")
file(WRITE ${WORK}/libtonc.h "typedef unsigned short u16;\ntypedef u16 COLOR;\n")
# The header's length is in bytes, as DMA and memcpy take it.
file(WRITE ${WORK}/game.c "#include TYPES\n#include \"array.h\"\n#include \"array.c\"\n"
    "typedef char lengthInBytes[${name}Len == sizeof ${name} ? 1 : -1];\n")

# Compiles array.c alone as NAME.o, and game.c after each type header, with the compiler
# and flags that follow.
function(compile name)
    run_in(${WORK} output ${ARGN} ${WARNINGS} -c array.c -o ${name}.o)
    foreach(types none libgba libtonc)
        run_in(${WORK} output ${ARGN} ${WARNINGS} "-DTYPES=\"${types}.h\"" -c game.c
            -o ${name}-${types}.o)
    endforeach()
endfunction()
compile(c ${C_COMPILER})
compile(cxx ${CXX_COMPILER} -std=c++17 -x c++)
# A C++ game links the array whether it was compiled as C or as C++.
file(WRITE ${WORK}/main.cpp "#include \"array.h\"\nint main() { return ${name}[0] > 0x7FFF; }\n")
foreach(object c cxx)
    run_in(${WORK} output ${CXX_COMPILER} ${WARNINGS} main.cpp ${object}.o -o main-${object})
    run_in(${WORK} output ${WORK}/main-${object})
endforeach()
if(type STREQUAL "uint16_t" OR type STREQUAL "unsigned short")
    compile(c99 ${C_COMPILER} -std=c99)
endif()
if(NOT ARM_GCC)
    return()
endif()

compile(arm ${ARM_GCC} -mthumb -mcpu=arm7tdmi)
# Debian's ARM C++ compiler has no C++ library to link with, so its object is only read.
compile(armcxx ${ARM_GXX} -std=c++17 -x c++ -mthumb -mcpu=arm7tdmi)
run_in(${WORK} output ${GENERATOR} ${ARGS} --no-section -f bin -o array.bin)
run_in(${WORK} output ${GENERATOR} ${ARGS} -f asm -o array.s)
run_in(${WORK} output ${ARM_AS} array.s -o asm.o)
# Each object's section for the array: read-only data for assembler, and for C when it is
# const, data otherwise, unless --section names one.
set(in_asm .rodata)
set(in_arm .data)
if("--const" IN_LIST ARGS)
    set(in_arm .rodata)
endif()
if(section)
    set(in_asm ${section})
    set(in_arm ${section})
endif()
set(in_armcxx ${in_arm})
# Each object holds the array as a global symbol under its C name, with the bytes of bin.
foreach(object asm arm armcxx)
    set(in ${in_${object}})
    run_in(${WORK} symbols ${ARM_OBJDUMP} -t ${object}.o)
    if(NOT symbols MATCHES "\n[0-9a-f]+ g +O ${in}\t[0-9a-f]+ ${name}\n")
        message(FATAL_ERROR "${object}.o does not hold ${name} in ${in}:\n${symbols}")
    endif()
    run_in(${WORK} output ${ARM_OBJCOPY} -O binary -j ${in} ${object}.o ${object}.data)
    run_in(${WORK} output ${CMAKE_COMMAND} -E compare_files ${object}.data array.bin)
endforeach()
