# Read by cpack before it packages. Every file and archive in the package carries the time of the
# last commit, not the time the package was made, so one commit gives the same bytes at any time,
# as Debian's reproducible builds expect. A SOURCE_DATE_EPOCH of the caller's wins.
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    # safe.directory: root packaging a clone that belongs to another user still reads its history.
    execute_process(COMMAND git -c safe.directory=${CPACK_LARDERLY_SOURCE_DIR} -C ${CPACK_LARDERLY_SOURCE_DIR}
                            log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
    if(failed STREQUAL "0" AND epoch MATCHES "^[0-9]+$")
        set(ENV{SOURCE_DATE_EPOCH} ${epoch})
    else()
        message(STATUS "No git commit to date the package by, so it records the time it is made; "
                       "set SOURCE_DATE_EPOCH for one that can be made again byte for byte.")
    endif()
endif()
