# tintwright_add_gradient(TARGET STOPFILE...)
#
# Generates each stop file NAME.stops with tintwright-gen, as NAME.h and NAME.c (NAME.cpp
# where C is not enabled), in a folder of its own, tintwright/TARGET/NAME under the calling
# folder's build folder, and adds them to TARGET, which may be made in any folder: its
# sources include "NAME.h". Two stop files whose names give one array name (sky, or
# night-sky and night_sky) for one target are an error, since their arrays would clash. The program is
# TintwrightGen::tintwright-gen where find_package(TintwrightGen) made it, and otherwise
# tintwright-gen on the PATH.
include_guard(GLOBAL)

function(tintwright_add_gradient target)
    if(TARGET TintwrightGen::tintwright-gen)
        set(generator TintwrightGen::tintwright-gen)
    else()
        # A host tool, also when the project is built for another system.
        find_program(TINTWRIGHT_GEN tintwright-gen REQUIRED NO_CMAKE_FIND_ROOT_PATH)
        set(generator ${TINTWRIGHT_GEN})
    endif()
    get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
    set(extension c)
    if(NOT "C" IN_LIST languages)
        set(extension cpp)
    endif()
    foreach(stops IN LISTS ARGN)
        get_filename_component(stops ${stops} ABSOLUTE)
        get_filename_component(name ${stops} NAME_WLE)
        # Names that differ only in characters a C name cannot hold give one array.
        string(MAKE_C_IDENTIFIER "${name}" array)
        get_property(earlier TARGET ${target} PROPERTY TINTWRIGHT_GRADIENT_${array})
        if(earlier)
            message(FATAL_ERROR "tintwright_add_gradient: ${earlier} and ${stops} would both "
                "give ${target} the array ${array}")
        endif()
        set_property(TARGET ${target} PROPERTY TINTWRIGHT_GRADIENT_${array} ${stops})

        set(folder ${CMAKE_CURRENT_BINARY_DIR}/tintwright/${target}/${name})
        set(out ${folder}/${name})
        file(MAKE_DIRECTORY ${folder})
        # tintwright-gen leaves an output whose bytes stay the same as it was, so the stamp
        # tells make that the stop file has been read.
        add_custom_command(
            OUTPUT ${out}.stamp
            BYPRODUCTS ${out}.${extension} ${out}.h
            COMMAND ${generator} -i ${stops} -o ${out}.${extension} --header ${out}.h
            COMMAND ${CMAKE_COMMAND} -E touch ${out}.stamp
            DEPENDS ${stops} VERBATIM)
        # The custom target runs the command here for a target made in another folder; its
        # name is numbered where another target and stop file already gave the same one.
        string(MAKE_C_IDENTIFIER "tintwright_${target}_${name}" step)
        set(unique ${step})
        set(number 1)
        while(TARGET ${unique})
            math(EXPR number "${number} + 1")
            set(unique ${step}_${number})
        endwhile()
        add_custom_target(${unique} DEPENDS ${out}.stamp)
        add_dependencies(${target} ${unique})
        set_source_files_properties(${out}.${extension} ${out}.h TARGET_DIRECTORY ${target}
            PROPERTIES GENERATED TRUE)
        target_sources(${target} PRIVATE ${out}.${extension})
        target_include_directories(${target} PRIVATE ${folder})
    endforeach()
endfunction()
