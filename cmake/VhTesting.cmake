# Test programs: GoogleTest from the system natively; for Windows, built from the
# source Debian ships, since there is no cross-built copy.
if(CMAKE_CROSSCOMPILING)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    # Its CMake names the targets GTest::gtest_main and GTest::gmock, as natively.
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()

# vh_add_test(NAME SOURCES src... [LIBS lib...]): one program, one CTest entry
# (a Wine start costs about a second, so a program holds all tests of its subject).
function(vh_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
endfunction()
