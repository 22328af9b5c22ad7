# Builds a project with the README's CMake recipe, FROM the installed package or the copied
# function, in LANGUAGE (C or CXX) with the given CMake generator, and with the ARM
# toolchain (ARM_GCC, ARM_GXX) through a toolchain file that finds packages only in its
# own root, as embedded toolchains do. The top folder adds gradients from itself and a
# subfolder to its own target, and one named as one of those to a target made in another
# folder, which adds one to the top folder's target. Checks that it builds, the next build
# does nothing, a touched stop file reruns at most the tool and the build after that
# nothing, and a changed stop rebuilds that array's object and the program alone; and that
# two stop files of one name for one target stop the configuration.
#   cmake -DREADME=FILE -DGENERATOR_BUILD=FOLDER -DFROM=package|function -DLANGUAGE=C|CXX
#         -DBUILD_WITH=GENERATOR -DWORK=FOLDER [-DARM_GCC=.. -DARM_GXX=..] -P snippet.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)
readme_block(${README} cmake-${FROM} recipe)

file(REMOVE_RECURSE ${WORK})
run_in(${GENERATOR_BUILD} output ${CMAKE_COMMAND} --install . --prefix ${WORK}/prefix
    --component generator)
write_game(${WORK}/gfx ${WORK})
set(configure -DCMAKE_PREFIX_PATH=${WORK}/prefix)
if(FROM STREQUAL "function")
    # The README's function is the package's, which the project copies.
    file(READ ${WORK}/prefix/lib/cmake/TintwrightGen/TintwrightAddGradient.cmake packaged)
    if(NOT recipe STREQUAL packaged)
        message(FATAL_ERROR "the README's function is not the package's")
    endif()
    file(WRITE ${WORK}/cmake/TintwrightAddGradient.cmake "${recipe}")
    readme_block(${README} cmake-include recipe)
    set(ENV{PATH} "${WORK}/prefix/bin:$ENV{PATH}")
    set(configure)
endif()

set(extension c)
if(LANGUAGE STREQUAL "CXX")
    set(extension cpp)
endif()
set(game "add_executable(game main.${extension})")
set(program game)
set(o ${extension}.o)
if(ARM_GCC)
    # Debian's ARM toolchain has no C library to link a program with.
    set(game "add_library(game STATIC main.${extension})")
    set(program libgame.a)
    set(o ${extension}.obj)
    file(WRITE ${WORK}/arm.cmake "set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_C_COMPILER ${ARM_GCC})
set(CMAKE_CXX_COMPILER ${ARM_GXX})
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH ${WORK}/sysroot)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
")
    list(APPEND configure -DCMAKE_TOOLCHAIN_FILE=${WORK}/arm.cmake)
endif()

file(WRITE ${WORK}/CMakeLists.txt "cmake_minimum_required(VERSION 3.25)
project(game ${LANGUAGE})
${game}
add_custom_target(tintwright_game_night_sky)
${recipe}tintwright_add_gradient(game night-sky.stops)
add_subdirectory(level2)
tintwright_add_gradient(level2 level2/sky.stops)
target_link_libraries(game PRIVATE level2)
")
file(WRITE ${WORK}/level2/CMakeLists.txt "add_library(level2 STATIC level2.${extension})
tintwright_add_gradient(game lava.stops)
")
file(WRITE ${WORK}/level2/sky.stops "-s 2\n#000000 Black\n#FFFFFF White\n")
file(WRITE ${WORK}/level2/lava.stops "-s 3 --const\n#FF0000 Red\n#FFFF00 Yellow\n")
file(WRITE ${WORK}/level2/level2.${extension} "#include \"sky.h\"
int level2(void) { return sky[1]; }
")
# The stop files' own options set each array's name and length.
file(WRITE ${WORK}/main.${extension} "#include <assert.h>
#include \"lava.h\"
#include \"night-sky.h\"
#include \"sky.h\"
static_assert(sizeof skyGradient == 161 * 2 && sizeof night_sky == 4 * 2 && sizeof lava == 6, \"\");
int level2(void);
int main(void) { return skyGradient[0] == night_sky[0] + lava[0] + level2(); }
")
run_in(${WORK} output ${CMAKE_COMMAND} -G ${BUILD_WITH} ${configure} -S . -B build)

# Builds and checks the generator runs, objects and programs the build made, in any order.
function(build_step step)
    run_in(${WORK} output ${CMAKE_COMMAND} --build build -j 2)
    string(REGEX REPLACE "Generating [^\n]*" "Generating generator" output "${output}")
    expect_lines("${step}" "${output}"
        "\n[^\n]*(Generating|Building CX* object|Linking CX* [a-z ]+) ([^\n]*/)?([^\n/]+)"
        "\\3" "${ARGN}")
endfunction()

set(everything generator generator generator generator main.${o} sky.${o} sky.${o}
    night-sky.${o} lava.${o} level2.${o} liblevel2.a ${program})
expect_rebuilds(build_step ${WORK}/gfx ${WORK} "${everything}" generator
    "generator;night-sky.${o};${program}")

# Two stop files that give one array name for one target.
file(APPEND ${WORK}/level2/CMakeLists.txt "tintwright_add_gradient(game ../night_sky.stops)\n")
execute_process(COMMAND ${CMAKE_COMMAND} ${configure} -S . -B build WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE status ERROR_VARIABLE message)
string(REGEX REPLACE "[ \n]+" " " message "${message}")
if(status EQUAL 0 OR NOT message MATCHES "/night-sky.stops and [^ ]*/night_sky.stops would")
    message(FATAL_ERROR "two arrays named night_sky for game configured (${status}): ${message}")
endif()
