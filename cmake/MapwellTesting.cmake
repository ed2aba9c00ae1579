# mapwell_add_test(NAME <name> SOURCES <files...> [WINDOWS_ONLY] [NO_GTEST_MAIN] [LIBS <libs...>])
#
# One suite = one executable = one CTest test, run in its own empty folder, because the program
# writes "file.tst" and "chunks.tst" into the current folder. Portable suites build in both
# trees; WINDOWS_ONLY suites only in the Windows tree, where they also get the shared Windows
# test helpers.
function(mapwell_add_test)
    cmake_parse_arguments(T "WINDOWS_ONLY;NO_GTEST_MAIN" "NAME" "SOURCES;LIBS" ${ARGN})
    if(T_WINDOWS_ONLY AND NOT WIN32)
        return()
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    if(WIN32)
        target_link_libraries(${T_NAME} PRIVATE mapwell_win mapwell_test_support)
    else()
        target_link_libraries(${T_NAME} PRIVATE mapwell_portable)
    endif()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest)
    if(NOT T_NO_GTEST_MAIN)
        target_link_libraries(${T_NAME} PRIVATE gtest_main)
    endif()
    set(run_dir ${CMAKE_BINARY_DIR}/testrun/${T_NAME})
    file(MAKE_DIRECTORY ${run_dir})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${run_dir})
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600
        ENVIRONMENT "MAPWELL_SOURCE_DIR=${PROJECT_SOURCE_DIR};MAPWELL_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# mapwell_add_bench(NAME <name> SOURCES <files...> [WINDOWS_ONLY] [LIBS <libs...>])
#
# Benchmarks print `name: value unit` lines; ./bench runs them. They are not tests.
function(mapwell_add_bench)
    cmake_parse_arguments(B "WINDOWS_ONLY" "NAME" "SOURCES;LIBS" ${ARGN})
    if(B_WINDOWS_ONLY AND NOT WIN32)
        return()
    endif()
    add_executable(${B_NAME} ${B_SOURCES})
    if(WIN32)
        target_link_libraries(${B_NAME} PRIVATE mapwell_win ${B_LIBS})
    else()
        target_link_libraries(${B_NAME} PRIVATE mapwell_portable ${B_LIBS})
    endif()
    set_property(GLOBAL APPEND PROPERTY MAPWELL_BENCHES ${B_NAME})
endfunction()
