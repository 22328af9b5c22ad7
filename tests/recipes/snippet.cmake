# Builds a project with the CMake snippet read from README.md, the host compiler and the
# given CMake generator. Checks that it builds, the next build does nothing, a touched stop
# file reruns at most the tool and the build after that nothing, and a changed stop rebuilds
# that array's object and the program alone. The stop files are the README's, in a
# subfolder, and one with a hyphen in its name.
#   cmake -DREADME=FILE -DGENERATOR=PROGRAM -DBUILD_WITH=GENERATOR -DC_COMPILER=CC
#         -DWORK=FOLDER -P snippet.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)
readme_block(${README} cmake-function snippet)

file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/CMakeLists.txt "cmake_minimum_required(VERSION 3.25)
project(game C)
add_executable(game main.c)
${snippet}add_gradient(game night-sky.stops)
")
write_game(${WORK}/gfx ${WORK})
run_in(${WORK} output ${CMAKE_COMMAND} -G ${BUILD_WITH} -DCMAKE_C_COMPILER=${C_COMPILER}
    -S . -B build)

# Builds and checks the generator runs, objects and programs the build made, in any order.
function(build_step step)
    run_in(${WORK} output ${CMAKE_COMMAND} --build build -j 2)
    string(REGEX REPLACE "Generating [^\n]*" "Generating generator" output "${output}")
    expect_lines("${step}" "${output}"
        "\n[^\n]*(Generating|Building C object|Linking C executable) ([^\n]*/)?([^\n/]+)" "\\3"
        "${ARGN}")
endfunction()

build_step("first build" generator generator main.c.o sky.c.o night-sky.c.o game)
build_step("second build")
file(TOUCH ${WORK}/gfx/sky.stops)
build_step("build after touching sky.stops" generator)
build_step("the build after that")
file(WRITE ${WORK}/night-sky.stops "-s 4\n#0000FF Blue\n#FFFFFF White\n")
build_step("build after changing a stop" generator night-sky.c.o game)
build_step("the build after that")
