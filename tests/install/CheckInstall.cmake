# Installs the build into a fresh prefix and checks the layout a desktop
# expects; the desktop entries must pass desktop-file-validate where it exists.
# -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file
        bin/tavolex bin/texelor bin/tavolex-cli
        share/doc/tavolex/manual/index.html share/doc/tavolex/manual/command-line.html
        share/man/man1/tavolex-cli.1 share/man/man1/texelor.1
        share/applications/tavolex.desktop share/applications/texelor.desktop
        share/mime/packages/tavolex.xml share/thumbnailers/tavolex.thumbnailer
        share/icons/hicolor/16x16/apps/tavolex.png share/icons/hicolor/256x256/apps/tavolex.png
        share/icons/hicolor/48x48/apps/texelor.png share/icons/hicolor/256x256/apps/texelor.png)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
    foreach(entry tavolex texelor)
        execute_process(COMMAND ${VALIDATE} "${PREFIX}/share/applications/${entry}.desktop"
                        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
        if(NOT result EQUAL 0 OR NOT out STREQUAL "")
            message(FATAL_ERROR "desktop-file-validate ${entry}.desktop: ${out}")
        endif()
    endforeach()
endif()
