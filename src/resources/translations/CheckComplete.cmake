# Fails when a catalogue lacks a text of the sources, or has one not translated yet.
#   cmake -DLUPDATE=<lupdate> -DCATALOGUES=<a.ts;b.ts> -DSOURCES=<file listing the sources> -DWORK=<folder> -P CheckComplete.cmake
file(STRINGS ${SOURCES} sources)
file(MAKE_DIRECTORY ${WORK})
foreach(catalogue ${CATALOGUES})
    get_filename_component(name ${catalogue} NAME)
    set(copy ${WORK}/${name})
    configure_file(${catalogue} ${copy} COPYONLY)
    execute_process(COMMAND ${LUPDATE} -silent -no-obsolete -locations none ${sources} -ts ${copy}
                    RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(failed)
        message(FATAL_ERROR "lupdate failed on ${name}:\n${out}")
    endif()
    file(READ ${copy} updated)
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n\t]*<translation type=\"unfinished\"" missing "${updated}")
    if(missing)
        string(REGEX REPLACE "<translation type=\"unfinished\"" "" missing "${missing}")
        string(REGEX REPLACE "</?source>" "" missing "${missing}")
        message(FATAL_ERROR "${name} has no translation of:\n${missing}\n"
                            "Run `cmake --build <build> --target update_translations` and translate them.")
    endif()
endforeach()
