# Makes the .deb again, a second after checkpackage.cmake made it, and compares the two: one commit
# gives the same bytes, dated by the commit (the first member's time in the ar archive, bytes 24-35).
#   cmake -DCPACK=<cpack> -DBUILD=<build folder> -DSOURCE=<source folder> -DOUT=<the first one's folder>
#         -P reproduciblepackage.cmake
execute_process(COMMAND git -c safe.directory=${SOURCE} -C ${SOURCE} log -1 --format=%ct
                OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(commit STREQUAL "")
    message("Skipped: no commit to date the package by (a source tree without its history).")
    return()
endif()
file(GLOB first ${OUT}/larderly_*.deb)
file(REMOVE_RECURSE ${OUT}-again)
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1)
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${OUT}-again
                RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB second ${OUT}-again/larderly_*.deb)
if(failed OR NOT first OR NOT second)
    message(FATAL_ERROR "No two packages to compare (${first}, ${second}):\n${log}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${first} ${second} RESULT_VARIABLE differ)
if(differ)
    message(FATAL_ERROR "Two packages of one commit differ: ${first} and ${second}")
endif()
file(READ ${first} stamp OFFSET 24 LIMIT 12)
string(STRIP "${stamp}" stamp)
if(NOT stamp STREQUAL commit)
    message(FATAL_ERROR "The package is dated ${stamp}, the last commit ${commit}")
endif()
