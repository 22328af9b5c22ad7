# Builds a devkitPro-style project (a build folder, VPATH over the source folders, -MMD -MP)
# with the make recipe read from README.md, the host compiler and a program for a ROM, with
# the stop files' objects first in OFILES and then last. Checks that the first make builds,
# the next does nothing and make -q agrees, a touched stop file reruns at most the generator,
# a changed stop rebuilds that object and the program alone, and a broken stop fails make.
# The stop files are the README's, in a subfolder, and one with a hyphen in its name.
#   cmake -DREADME=FILE -DGENERATOR=PROGRAM -DMAKE=make -DC_COMPILER=CC -DWORK=FOLDER
#         -P makefile.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)
readme_block(${README} make-stop-files stopsFiles)
readme_block(${README} make-rule stopsRule)

# The top half runs make again in the build folder; QUESTION lets the test ask that make
# with -q, since the top half's phony target is never up to date.
set(template [=[
.SUFFIXES:
TARGET := game
BUILD := build
SOURCES := source gfx
ifneq ($(BUILD),$(notdir $(CURDIR)))
export OUTPUT := $(CURDIR)/$(TARGET)
export VPATH := $(foreach dir,$(SOURCES),$(CURDIR)/$(dir))
export DEPSDIR := $(CURDIR)/$(BUILD)
export INCLUDE := $(foreach dir,$(SOURCES),-I$(CURDIR)/$(dir)) -I$(CURDIR)/$(BUILD)
CFILES := $(foreach dir,$(SOURCES),$(notdir $(wildcard $(dir)/*.c)))
STOPS_FILES
export OFILES := OFILES_ORDER
.PHONY: $(BUILD)
$(BUILD):
	@mkdir -p $@
	@$(MAKE) --no-print-directory -C $(BUILD) -f $(CURDIR)/Makefile $(QUESTION)
else
$(OUTPUT): $(OFILES)
	@echo linking
	@$(CC) $^ -o $@
%.o: %.c
	@echo compiling $(notdir $<)
	@$(CC) -MMD -MP -MF $(DEPSDIR)/$*.d $(INCLUDE) -Wall -Werror -c $< -o $@
STOPS_RULE
-include $(DEPSDIR)/*.d
endif
]=])
string(REPLACE STOPS_FILES "${stopsFiles}" template "${template}")
string(REPLACE STOPS_RULE "${stopsRule}" template "${template}")

# Runs make and checks the generator runs and the compiler steps it printed, in any order;
# when it ran nothing, make -q agrees that all is up to date.
function(make_step step)
    run_in(${project} output ${MAKE} CC=${C_COMPILER})
    expect_lines("${step}" "${output}" "\n([^\n ]+\\.stops|compiling [^\n]+|linking)" "\\1"
        "${ARGN}")
    if(NOT ARGN)
        run_in(${project} output ${MAKE} QUESTION=-q)
    endif()
endfunction()

set(stopsObjects "$(STOPSFILES:.stops=.o)")
set(cObjects "$(CFILES:.c=.o)")
foreach(order "stops-first;${stopsObjects} ${cObjects}" "stops-last;${cObjects} ${stopsObjects}")
    list(GET order 0 project)
    list(GET order 1 objects)
    set(project ${WORK}/${project})
    file(REMOVE_RECURSE ${project})
    string(REPLACE OFILES_ORDER "${objects}" makefile "${template}")
    file(WRITE ${project}/Makefile "${makefile}")
    write_game(${project}/gfx ${project}/source)

    expect_rebuilds(make_step ${project}/gfx ${project}/source
        "compiling main.c;compiling night-sky.c;compiling sky.c;linking;night-sky.stops;sky.stops"
        sky.stops "night-sky.stops;compiling night-sky.c;linking")
    file(APPEND ${project}/source/night-sky.stops "(1,2) Broken\n")
    execute_process(COMMAND ${MAKE} WORKING_DIRECTORY ${project} RESULT_VARIABLE status
        OUTPUT_QUIET ERROR_QUIET)
    if(status EQUAL 0)
        message(FATAL_ERROR "make succeeded with a broken stop file")
    endif()
endforeach()
