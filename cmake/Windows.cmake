# The Windows build: the pure core, its tests and the simulated detector's protocol parts as
# Windows executables. With the mingw-w64 cross compiler on Debian the tests run under Wine;
# a native Windows build with Qt 6 (see the README) builds the console too.

enable_language(RC)

if(CMAKE_CROSSCOMPILING)
    # Debian has no Windows build of Qt: the cross build holds the core only.
    set(MIRELUND_CORE_ONLY ON)
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
