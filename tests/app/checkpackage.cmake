# Makes the .deb with cpack and checks the files it installs and the dependencies it names.
#   cmake -DCPACK=<cpack> -DBUILD=<build folder> -DOUT=<scratch folder> -P checkpackage.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB deb ${OUT}/larderly_1.0.0_*.deb)
if(failed OR NOT deb)
    message(FATAL_ERROR "cpack made no package:\n${log}")
endif()
execute_process(COMMAND dpkg-deb -I ${deb} OUTPUT_VARIABLE info)
execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE contents)
set(id com.kettlebay.Larderly)
foreach(expected "Depends: fonts-liberation2" "libqt6widgets6 (>=" "libcups2 (>=" " ./usr/bin/larderly\n"
        " ./usr/share/applications/${id}.desktop\n" " ./usr/share/metainfo/${id}.metainfo.xml\n"
        " ./usr/share/icons/hicolor/256x256/apps/${id}.png\n")
    string(FIND "${info}${contents}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "The package lacks '${expected}':\n${info}${contents}")
    endif()
endforeach()
