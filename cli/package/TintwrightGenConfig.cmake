# find_package(TintwrightGen): the generator this package was installed with, as the imported
# executable TintwrightGen::tintwright-gen, and tintwright_add_gradient().
include(${CMAKE_CURRENT_LIST_DIR}/TintwrightGenTargets.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/TintwrightAddGradient.cmake)
# Seen from every folder, so that tintwright_add_gradient runs this generator wherever it is
# called, not one it would find on the PATH.
get_property(global TARGET TintwrightGen::tintwright-gen PROPERTY IMPORTED_GLOBAL)
if(NOT global)
    set_property(TARGET TintwrightGen::tintwright-gen PROPERTY IMPORTED_GLOBAL TRUE)
endif()
