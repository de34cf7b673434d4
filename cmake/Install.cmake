# What `cmake --install` puts where, and the Debian package made from it:
# both programs; stepweave's seed workspace (made at build time) and both help
# pages under share/<program>; desktop entries, icons, the song and kit file
# types, AppStream metadata and manual pages made from the programs' --help.
# The programs find their data relative to their own binary (../share/...).
include(GNUInstallDirs)

set(PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(GENERATED_DIR ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS stepweave voxnote RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${SEED_WORKSPACE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/stepweave/seed)
install(FILES ${PROJECT_SOURCE_DIR}/stepweave/help/stepweave.html DESTINATION ${CMAKE_INSTALL_DATADIR}/stepweave)
install(FILES ${PROJECT_SOURCE_DIR}/voxnote/help/voxnote.html DESTINATION ${CMAKE_INSTALL_DATADIR}/voxnote)
install(FILES ${PACKAGING_DIR}/desktop/stepweave.desktop ${PACKAGING_DIR}/desktop/voxnote.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PACKAGING_DIR}/mime/stepweave.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PACKAGING_DIR}/metainfo/org.example.stepweave.metainfo.xml
              ${PACKAGING_DIR}/metainfo/org.example.voxnote.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the SVG of each program, and PNGs drawn from it at 48 and 256 pixels.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_outputs)
foreach(program stepweave voxnote)
    install(FILES ${PACKAGING_DIR}/icons/${program}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 48 256)
        set(png ${GENERATED_DIR}/icons/${size}/${program}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${GENERATED_DIR}/icons/${size}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${PACKAGING_DIR}/icons/${program}.svg
            DEPENDS ${PACKAGING_DIR}/icons/${program}.svg VERBATIM)
        list(APPEND icon_outputs ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endforeach()
add_custom_target(program_icons ALL DEPENDS ${icon_outputs})

# Manual pages from the programs' own --help.
find_program(HELP2MAN help2man REQUIRED)
set(manual_outputs)
foreach(entry "stepweave|step-based drum-pattern sequencer" "voxnote|turns sung or played notes into MIDI")
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 program)
    list(GET parts 1 summary)
    set(page ${GENERATED_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${GENERATED_DIR}/man
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                ${HELP2MAN} --no-info --no-discard-stderr --version-string=${PROJECT_VERSION}
                --name=${summary} --output=${page} $<TARGET_FILE:${program}>
        DEPENDS ${program} VERBATIM)
    list(APPEND manual_outputs ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${manual_outputs})

# The Debian package: its dependencies come from the shared libraries the
# programs link (dpkg-shlibdeps). The General MIDI soundfont of voxnote's
# built-in synthesizer is data, not a library, so it is recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME stepweave-voxnote)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Drum pattern sequencer and sound-to-MIDI converter")
set(CPACK_PACKAGE_CONTACT "stepweave and voxnote developers <developers@example.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
