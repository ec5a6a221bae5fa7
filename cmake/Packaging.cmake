# What `cmake --install` puts beside the two programs (their install() lines live with their
# targets), and the Debian package CPack makes of it. scripts/package builds and runs it.
# Windows packages are made by scripts/package-windows, without CMake's install step.
if(MIRELUND_CORE_ONLY OR MIRELUND_SANITIZE OR WIN32)
    return()
endif()
include(GNUInstallDirs)

set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${packaging_dir}/mirelund.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/icons/mirelund.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${packaging_dir}/icons/mirelund-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME mirelund.png)
endforeach()

# The package's documentation, in the component "doc" so that a test can install it alone.
# The README and the guide keep the source's layout, so that their relative links hold.
set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/mirelund)
set(doc_build_dir ${PROJECT_BINARY_DIR}/packaging)
install(FILES ${packaging_dir}/copyright ${doc_build_dir}/changelog.gz
              ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${doc_dir} COMPONENT doc)
# The guide with its pictures, and the one picture the README shows.
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide.md ${PROJECT_SOURCE_DIR}/docs/windows-under-wine.png
        DESTINATION ${doc_dir}/docs COMPONENT doc)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/guide DESTINATION ${doc_dir}/docs COMPONENT doc
        FILES_MATCHING PATTERN "*.png")
install(FILES ${doc_build_dir}/mirelund.1.gz ${doc_build_dir}/detector-sim.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT doc)

# The changelog is kept by hand; a new version without its entry would ship a changelog that
# does not describe it.
file(STRINGS ${packaging_dir}/changelog changelog_head LIMIT_COUNT 1)
string(REPLACE "." "\\." version_pattern ${PROJECT_VERSION})
if(NOT changelog_head MATCHES "^mirelund \\(${version_pattern}\\) ")
    message(FATAL_ERROR "packaging/changelog has no entry for version ${PROJECT_VERSION} at its "
                        "top; add one")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${packaging_dir}/changelog)

foreach(page mirelund detector-sim)
    configure_file(${packaging_dir}/man/${page}.1.in ${doc_build_dir}/${page}.1 @ONLY)
endforeach()
# Compressed when the build is configured, so that `cmake --install` finds them in any build
# tree, whichever targets were built. Debian's way: the best compression, without the file's
# name and time, so that the same text always gives the same bytes.
foreach(source ${packaging_dir}/changelog ${doc_build_dir}/mirelund.1
               ${doc_build_dir}/detector-sim.1)
    get_filename_component(name ${source} NAME)
    execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${doc_build_dir}/${name}.gz
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()

set(MIRELUND_PACKAGE_MAINTAINER "Mirelund maintainers <maintainers@mirelund.example>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirelund)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Mirelund)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "programming software for microwave perimeter intrusion detectors")
set(CPACK_PACKAGE_DESCRIPTION "\
A desktop tool for installers of microwave perimeter intrusion detectors. Over
the detector's serial service line it shows the detector's identity and live
values, guides the alignment of its two units, edits its zone length, setup
method, thresholds, speeds, address and position, draws a live oscillogram of
the signal against the alarm thresholds, records walk tests as PNG pictures and
keeps a byte-level traffic log.
.
Also holds detector-sim, a simulated detector on a pseudo-terminal for
demonstrations and training without hardware.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MIRELUND_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's fixed layout is measured with these fonts: Liberation Serif for the note strip,
# DejaVu Sans Condensed in place of Tahoma. No linked library pulls them in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-extra")
include(CPack)
