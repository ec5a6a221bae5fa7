# Helpers shared by every folder's CMakeLists.

# mirelund_core_library(<name> SOURCES ... [DEPENDS ...])
# A pure-core library: standard C++ and the OS only. It never links Qt, so a Qt
# include in the core fails to compile.
function(mirelund_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} PRIVATE mirelund_warnings)
endfunction()

# mirelund_test(<name> SOURCES ... [DEPENDS ...] [LABELS ...] [ENVIRONMENT ...])
# One GoogleTest binary; its cases are registered with CTest one by one.
function(mirelund_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LABELS;ENVIRONMENT" ${ARGN})
    if(NOT ARG_LABELS)
        set(ARG_LABELS unit)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gmock GTest::gtest_main Threads::Threads
                          mirelund_warnings)
    if(WIN32)
        mirelund_windows_version(${name})
    endif()
    # A static Qt links only the platform plugin its own platform needs; the tests draw
    # without a display, from the fonts the build machine's tests use.
    if(MIRELUND_STATIC_QT AND "Qt6::Test" IN_LIST ARG_DEPENDS)
        qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
        list(APPEND ARG_ENVIRONMENT MIRELUND_TEST_FONTS=${MIRELUND_TEST_FONTS})
    endif()
    if(CMAKE_CROSSCOMPILING)
        # Under an emulator each start costs much more than a case: one test per binary.
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES
            LABELS "${ARG_LABELS}" ENVIRONMENT "${ARG_ENVIRONMENT}")
    else()
        gtest_discover_tests(${name}
            PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "${ARG_ENVIRONMENT}"
            DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
