# Makes the .deb with cpack and checks the files it installs and the dependencies it names.
#   cmake -DCPACK=<cpack> -DBUILD=<build folder> -DOUT=<scratch folder> -P checkpackage.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB deb ${OUT}/larderly_*.deb)
if(failed OR NOT deb)
    message(FATAL_ERROR "cpack made no package:\n${log}")
endif()
execute_process(COMMAND dpkg-deb -I ${deb} OUTPUT_VARIABLE info)
execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE contents)
set(id com.kettlebay.Larderly)
foreach(expected "Depends: fonts-liberation2" "libqt6widgets6 (>=" "libcups2 (>=" " ./usr/bin/larderly\n"
        " ./usr/bin/larderly-convert\n" " ./usr/share/man/man1/larderly-convert.1.gz\n"
        " ./usr/share/applications/${id}.desktop\n" " ./usr/share/metainfo/${id}.metainfo.xml\n"
        " ./usr/share/icons/hicolor/256x256/apps/${id}.png\n" " ./usr/share/doc/larderly/copyright\n"
        " ./usr/share/doc/larderly/changelog.gz\n" " ./usr/share/man/man1/larderly.1.gz\n")
    string(FIND "${info}${contents}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "The package lacks '${expected}':\n${info}${contents}")
    endif()
endforeach()
# The changelog's latest entry and the manual page name the version the package has.
execute_process(COMMAND dpkg-deb -f ${deb} Version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND dpkg-deb -x ${deb} ${OUT}/root)
foreach(check "usr/share/doc/larderly/changelog.gz:larderly (${version}) "
        "usr/share/man/man1/larderly.1.gz:\"Larderly ${version}\""
        "usr/share/man/man1/larderly-convert.1.gz:\"Larderly ${version}\"")
    string(REGEX MATCH "^([^:]+):(.*)$" _ "${check}")
    set(file ${CMAKE_MATCH_1})
    set(expected "${CMAKE_MATCH_2}")
    execute_process(COMMAND gzip -dc ${OUT}/root/${file} OUTPUT_VARIABLE text)
    string(REGEX MATCH "^[^\n]*" first_line "${text}")
    string(FIND "${first_line}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${file} begins '${first_line}', without '${expected}'")
    endif()
endforeach()
# Lintian no longer tells a program built without the stack protector; its checks call this.
foreach(program larderly larderly-convert)
    execute_process(COMMAND nm -D ${OUT}/root/usr/bin/${program} OUTPUT_VARIABLE symbols)
    if(NOT symbols MATCHES "__stack_chk_fail")
        message(FATAL_ERROR "usr/bin/${program} was built without the stack protector (no __stack_chk_fail)")
    endif()
endforeach()
