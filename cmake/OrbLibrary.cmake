# One static library per source folder; Qt headers precompiled per library.
function(orb_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    target_precompile_headers(${name} PRIVATE <QtCore/QtCore> <QtSql/QtSql>)
endfunction()

# One Qt Test executable per test source, run offscreen by CTest.
function(orb_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${PROJECT_SOURCE_DIR}/fontconfig/test-fonts.conf"
        TIMEOUT 600)
endfunction()
