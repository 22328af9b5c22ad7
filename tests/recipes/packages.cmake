# Checks that every Debian package the README names for a build is one that
# scripts/install-deps installs for it.
#   cmake -DREADME=FILE -DINSTALL_DEPS=SCRIPT -P packages.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)
foreach(build "generator-packages;--generator" "window-packages;")
    list(GET build 0 name)
    list(GET build 1 option)
    readme_block(${README} ${name} command)
    string(REGEX REPLACE "^sudo apt install " "" command "${command}")
    separate_arguments(block UNIX_COMMAND "${command}")
    # The window needs its packages besides the generator's.
    list(APPEND named ${block})
    run_in(${CMAKE_CURRENT_LIST_DIR} installed ${INSTALL_DEPS} ${option} --list)
    string(REPLACE "\n" ";" installed "${installed}")
    foreach(package ${named})
        if(NOT package IN_LIST installed)
            message(FATAL_ERROR "README's ${name} names ${package}; install-deps ${option} lacks it")
        endif()
    endforeach()
endforeach()
