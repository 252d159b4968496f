# The tests' installation, made with --strip as the README's commands make it: the program carries
# no symbols or debugging information, and uninstall.cmake removes every file it put in place.
#   cmake -DBUILD=<build folder> -DPREFIX=<the prefix> -P uninstallprefix.cmake
execute_process(COMMAND readelf -S --wide ${PREFIX}/bin/larderly OUTPUT_VARIABLE sections RESULT_VARIABLE failed)
if(NOT failed EQUAL 0 OR sections MATCHES "\\.symtab|\\.debug_")
    message(FATAL_ERROR "${PREFIX}/bin/larderly is not stripped:\n${sections}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -DPREFIX=${PREFIX} -P ${BUILD}/uninstall.cmake
                RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB_RECURSE left ${PREFIX}/*)
if(IS_DIRECTORY ${PREFIX}/share/doc/larderly)
    list(APPEND left ${PREFIX}/share/doc/larderly/)
endif()
if(NOT failed EQUAL 0 OR left)
    message(FATAL_ERROR "uninstall.cmake (exit ${failed}) leaves ${left}:\n${log}")
endif()
