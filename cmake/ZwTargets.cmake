# Helpers that give every target of the project the same conventions.

# Warnings as errors and hidden symbols for code we write.
function(zw_own_code target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    set_target_properties(${target} PROPERTIES
        C_VISIBILITY_PRESET hidden
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# One of the five waveform libraries: a shared library lib<name>.so that
# exports only what its header marks with <NAME>_API and its EXPORTS file
# (one function name per line) lists; a linker version script built from that
# file hides everything else, template instances of the standard library too.
# Its sources are built once as an object library <name>_obj, so tests can
# reach the internals while the shared library keeps them hidden.
function(zw_add_export_library name)
    cmake_parse_arguments(ARG "" "EXPORTS" "SOURCES" ${ARGN})
    string(TOUPPER ${name} upper)
    add_library(${name}_obj OBJECT ${ARG_SOURCES})
    target_include_directories(${name}_obj
        PUBLIC ${PROJECT_SOURCE_DIR}/include
        PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_definitions(${name}_obj PUBLIC ${upper}_BUILD)
    target_link_libraries(${name}_obj PUBLIC zwplatform)
    zw_own_code(${name}_obj)
    add_library(${name} SHARED $<TARGET_OBJECTS:${name}_obj>)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/include)
    target_link_libraries(${name} PUBLIC zwplatform)
    set(exports ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_EXPORTS})
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}.map)
    file(STRINGS ${exports} names REGEX "^[A-Za-z_][A-Za-z0-9_]*$")
    list(JOIN names ";\n    " body)
    file(CONFIGURE OUTPUT ${script} CONTENT "{\n  global:\n    ${body};\n  local: *;\n};\n")
    set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${exports})
    target_link_options(${name} PRIVATE -Wl,--version-script=${script})
    set_property(TARGET ${name} PROPERTY ZW_EXPORTS ${exports})
    # Refuse undefined symbols at link time: a library must be complete.
    # (Sanitizer runtimes resolve their symbols only in the program.)
    if(NOT ZW_SANITIZE AND NOT ZW_BUILD_FUZZ)
        target_link_options(${name} PRIVATE -Wl,--no-undefined)
    endif()
endfunction()

# A GoogleTest program; each test case becomes a ctest test.
# Test code itself is compiled without optimisation and with line tables only:
# the code under test keeps its own flags, and the suite builds in half the
# time. GoogleTest's header is precompiled once for all test programs, once
# more for those that link Qt (whose targets compile position-independent).
set(ZW_TEST_FLAGS -O0 -g1)
function(zw_gtest_pch_host host)
    if(TARGET ${host})
        return()
    endif()
    add_executable(${host} EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/tests/support/GTestPch.cpp)
    target_link_libraries(${host} PRIVATE GTest::gtest GTest::gtest_main ${ARGN})
    target_compile_options(${host} PRIVATE ${ZW_TEST_FLAGS})
    target_precompile_headers(${host} PRIVATE <gtest/gtest.h>)
    zw_own_code(${host})
endfunction()

function(zw_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    set(qt_libs ${ARG_LIBS})
    list(FILTER qt_libs INCLUDE REGEX "^(zw_|zwplatform_qt|Qt6::)")
    if(qt_libs)
        set(host zw_gtest_pch_qt)
        find_package(Qt6 6.4 REQUIRED COMPONENTS Core)
        zw_gtest_pch_host(${host} Qt6::Core)
    else()
        set(host zw_gtest_pch)
        zw_gtest_pch_host(${host})
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_options(${name} PRIVATE ${ZW_TEST_FLAGS})
    target_precompile_headers(${name} REUSE_FROM ${host})
    zw_own_code(${name})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Checks a shared library's exported functions against its EXPORTS list and that it links neither Qt nor another of the five libraries.
function(zw_add_export_check name)
    get_target_property(expected ${name} ZW_EXPORTS)
    add_test(NAME ${name}.exports
        COMMAND ${PROJECT_SOURCE_DIR}/tests/check_library.sh
                $<TARGET_FILE:${name}> ${expected})
endfunction()

# A libFuzzer target (configure with ZW_BUILD_FUZZ=ON and clang).
function(zw_add_fuzzer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# A logic library of the editor (app/<folder>): a static library that links
# Qt Core and never a widget. Qt Gui and Widgets are not on its include path,
# so `#include <QWidget>` fails to compile there; the sources are also
# scanned for the module-qualified spellings (<QtWidgets/...>), and a test
# checks that a widget include really fails. Without SOURCES it takes every
# .cpp of its folder.
#
#   zw_add_logic_library(zw_tools LIBS zw_editor curvefit32)
function(zw_add_logic_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_SOURCES)
        file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    endif()
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC Qt6::Core ${ARG_LIBS})
    zw_own_code(${name})
    set_property(TARGET ${name} PROPERTY ZW_LOGIC_LIBRARY TRUE)
    set_property(GLOBAL APPEND PROPERTY ZW_LOGIC_LIBRARIES ${name})
    zw_refuse_widget_spellings(${name} ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

# Configure-time scan of a logic library's folder (headers included) for
# includes of the widget and GUI modules in the spellings the include path
# cannot stop.
function(zw_refuse_widget_spellings name folder)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${folder}/*.h ${folder}/*.cpp)
    foreach(file ${files})
        file(STRINGS ${file} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](QtWidgets|QtGui|QtPrintSupport)/")
        if(hits)
            message(FATAL_ERROR "${file}: ${name} is a logic library and must not include "
                                "a widget or GUI header (${hits})")
        endif()
    endforeach()
endfunction()

# Checks, once every library is declared, that no logic library links a
# target with widgets: only Qt Core, other logic libraries and plain
# libraries. Called at the end of app/CMakeLists.txt.
function(zw_check_logic_libraries)
    get_property(logic GLOBAL PROPERTY ZW_LOGIC_LIBRARIES)
    foreach(name ${logic})
        get_target_property(libs ${name} LINK_LIBRARIES)
        foreach(lib ${libs})
            if(lib MATCHES "^Qt6::" AND NOT lib STREQUAL "Qt6::Core")
                message(FATAL_ERROR "logic library ${name} links ${lib}: only Qt6::Core is allowed")
            endif()
            if(TARGET ${lib} AND lib MATCHES "^zw")
                get_target_property(is_logic ${lib} ZW_LOGIC_LIBRARY)
                if(NOT is_logic AND NOT lib STREQUAL "zwplatform")
                    message(FATAL_ERROR "logic library ${name} links ${lib}, which is not a logic library")
                endif()
            endif()
        endforeach()
    endforeach()
endfunction()

# For each logic library, the test "<library>.refuses_widgets": building a
# program that includes <QWidget> against it must fail for want of the
# header. Called from tests/app/CMakeLists.txt.
function(zw_add_widget_probes)
    get_property(logic GLOBAL PROPERTY ZW_LOGIC_LIBRARIES)
    foreach(name ${logic})
        set(probe zw_widget_probe_${name})
        add_executable(${probe} EXCLUDE_FROM_ALL
            ${PROJECT_SOURCE_DIR}/tests/support/WidgetIncludeProbe.cpp)
        target_link_libraries(${probe} PRIVATE ${name})
        add_test(NAME ${name}.refuses_widgets
            COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target ${probe})
        set_tests_properties(${name}.refuses_widgets PROPERTIES
            PASS_REGULAR_EXPRESSION "QWidget: No such file or directory;.QWidget. file not found"
            RESOURCE_LOCK zw_build_tree)
    endforeach()
endfunction()
