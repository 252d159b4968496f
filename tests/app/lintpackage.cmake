# Runs lintian on the .deb that checkpackage.cmake made and fails on any tag it shows.
#   cmake -DOUT=<the folder holding the package> -P lintpackage.cmake
file(GLOB deb ${OUT}/larderly_*.deb)
list(LENGTH deb count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "Expected one package in ${OUT}, found: ${deb}")
endif()
execute_process(COMMAND lintian --display-info --display-experimental --pedantic
                        --fail-on error,warning,info,pedantic,experimental ${deb}
                RESULT_VARIABLE failed OUTPUT_VARIABLE tags ERROR_VARIABLE errors)
if(NOT failed EQUAL 0 OR NOT tags STREQUAL "")
    message(FATAL_ERROR "lintian (exit ${failed}) finds fault with ${deb}:\n${tags}${errors}")
endif()
