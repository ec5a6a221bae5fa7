# The Windows build: the pure core, its tests and the simulated detector's protocol parts as
# Windows executables, and with a Windows Qt the window program and its tests too. With the
# mingw-w64 cross compiler on Debian the tests run under Wine.

enable_language(RC)

if(CMAKE_CROSSCOMPILING)
    # A static Qt for mingw-w64 (scripts/build-qt-windows makes one from Debian's source)
    # builds the window; without one the cross build holds the core only.
    set(MIRELUND_QT_WINDOWS "" CACHE PATH "A static Qt 6 for mingw-w64 (its install prefix)")
    if(MIRELUND_QT_WINDOWS)
        # Qt's packages are searched inside the cross build's roots only, so its prefix
        # becomes one; its moc, rcc and uic are the build machine's own Qt's.
        list(APPEND CMAKE_FIND_ROOT_PATH ${MIRELUND_QT_WINDOWS})
        list(APPEND CMAKE_PREFIX_PATH ${MIRELUND_QT_WINDOWS})
        file(GLOB host_qt_info /usr/lib/*/cmake/Qt6HostInfo)
        if(NOT host_qt_info)
            message(FATAL_ERROR "The build machine's Qt 6 (qt6-base-dev) is needed for its tools")
        endif()
        list(GET host_qt_info 0 host_qt_info)
        get_filename_component(host_qt_cmake ${host_qt_info} DIRECTORY)
        set(QT_HOST_PATH /usr CACHE PATH "The build machine's Qt")
        set(QT_HOST_PATH_CMAKE_DIR ${host_qt_cmake} CACHE PATH "The build machine's Qt's packages")
        set(MIRELUND_STATIC_QT ON)
        # Offscreen, Qt on Windows reads fonts from one folder and not the system's: the
        # window's tests get those a Windows machine has, Wine's Tahoma and MS Sans Serif
        # (fonts-wine) and Liberation Serif with the widths of Times New Roman.
        file(GLOB test_fonts /usr/share/wine/fonts/tahoma*.ttf
                             /usr/share/wine/fonts/ms_sans_serif.ttf
                             /usr/share/fonts/truetype/liberation2/LiberationSerif*.ttf)
        set(MIRELUND_TEST_FONTS ${CMAKE_BINARY_DIR}/test-fonts)
        file(COPY ${test_fonts} DESTINATION ${MIRELUND_TEST_FONTS})
    else()
        set(MIRELUND_CORE_ONLY ON)
    endif()
    # The mingw runtime linked in, so that the executables run under Wine without DLL paths.
    add_link_options(-static)
    set(ZLIB_USE_STATIC_LIBS ON)
    # Debian's GoogleTest sources, built with the cross compiler; nothing is fetched.
    set(MIRELUND_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${MIRELUND_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GoogleTest's own code is not held to the project's warnings.
    foreach(target gtest gtest_main gmock gmock_main)
        target_compile_options(${target} PRIVATE -w)
    endforeach()
    # Every Windows executable the tests build runs under Wine in a prefix of this build's own.
    set(MIRELUND_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/windows/wine-run
                                      ${MIRELUND_WINEPREFIX})
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/WindowsVersion.rc.in
               ${CMAKE_BINARY_DIR}/WindowsVersion.rc @ONLY)

# mirelund_windows_version(<target>): the executable carries the project's version resource.
function(mirelund_windows_version target)
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/WindowsVersion.rc)
endfunction()
