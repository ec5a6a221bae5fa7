# What `cmake --install` puts beside the two programs (their install() lines live with their
# targets), and the Debian package CPack makes of it. scripts/package builds and runs it.
if(MIRELUND_CORE_ONLY OR MIRELUND_SANITIZE)
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
