# find_package(TintwrightGen): the generator this package was installed with, as the imported
# executable TintwrightGen::tintwright-gen, and tintwright_add_gradient().
include(${CMAKE_CURRENT_LIST_DIR}/TintwrightGenTargets.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/TintwrightAddGradient.cmake)
