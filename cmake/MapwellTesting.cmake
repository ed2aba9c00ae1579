# mapwell_add_test(NAME <name> SOURCES <files...> [WINDOWS_ONLY] [NO_GTEST_MAIN] [LIBS <libs...>])
#
# One suite = one executable = one CTest test, run in its own empty folder, because the program
# writes "file.tst" and "chunks.tst" into the current folder. Portable suites build in both
# trees; WINDOWS_ONLY suites only in the Windows tree. Every suite links the portable test
# helpers (tests/support), and in the Windows tree the Windows ones too.
function(mapwell_add_test)
    cmake_parse_arguments(T "WINDOWS_ONLY;NO_GTEST_MAIN" "NAME" "SOURCES;LIBS" ${ARGN})
    if(T_WINDOWS_ONLY AND NOT WIN32)
        return()
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE mapwell_test_support)
    if(WIN32)
        target_link_libraries(${T_NAME} PRIVATE mapwell_test_support_win)
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
    if(NOT TARGET benches)
        add_custom_target(benches)   # every benchmark program: what bench/run builds
    endif()
    add_dependencies(benches ${B_NAME})
endfunction()

# mapwell_add_fuzz(NAME <name> SOURCES <files...> SEEDS <folders...>)
#
# A fuzz harness: SOURCES define LLVMFuzzerTestOneInput (and no main); SEEDS are folders of
# seed files, relative to the calling folder. Native tree only. Built plainly, the harness is a
# CTest test of the same name that replays the seeds with their prefixes and single-byte
# changes under the sanitizers. With -DMAPWELL_LIBFUZZER=ON (clang) it is a real libFuzzer
# target instead, which scripts/fuzz runs. Each harness runs in its own folder, as a harness may
# hand its input to the program through a file there.
option(MAPWELL_LIBFUZZER "Build the fuzz harnesses as libFuzzer targets (needs clang)" OFF)
if(MAPWELL_LIBFUZZER)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "MAPWELL_LIBFUZZER needs clang (configure with CXX=clang++ CC=clang)")
    endif()
    # Everything the harnesses link is instrumented, so that the fuzzer sees its coverage.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

function(mapwell_add_fuzz)
    cmake_parse_arguments(F "" "NAME" "SOURCES;SEEDS" ${ARGN})
    if(WIN32)
        return()
    endif()
    set(seeds)
    foreach(folder ${F_SEEDS})
        get_filename_component(folder ${folder} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND seeds ${folder})
    endforeach()
    add_executable(${F_NAME} ${F_SOURCES})
    target_link_libraries(${F_NAME} PRIVATE mapwell_portable)
    # One line per harness for scripts/fuzz: name, program, seed folders, tab-separated.
    string(REPLACE ";" "\t" seed_fields "${seeds}")
    set_property(GLOBAL APPEND PROPERTY MAPWELL_FUZZ_HARNESSES
        "${F_NAME}\t$<TARGET_FILE:${F_NAME}>\t${seed_fields}")
    if(MAPWELL_LIBFUZZER)
        target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
        return()
    endif()
    target_link_libraries(${F_NAME} PRIVATE mapwell_fuzz_replay_main)
    set(run_dir ${CMAKE_BINARY_DIR}/testrun/${F_NAME})
    file(MAKE_DIRECTORY ${run_dir})
    add_test(NAME ${F_NAME} COMMAND ${F_NAME} ${seeds} WORKING_DIRECTORY ${run_dir})
    set_tests_properties(${F_NAME} PROPERTIES TIMEOUT 600)
endfunction()

# Writes the harnesses registered so far to <build>/fuzz_harnesses.txt; call it once, after
# every folder that registers harnesses.
function(mapwell_write_fuzz_list)
    get_property(harnesses GLOBAL PROPERTY MAPWELL_FUZZ_HARNESSES)
    if(NOT harnesses)
        return()
    endif()
    string(REPLACE ";" "\n" lines "${harnesses}")
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzz_harnesses.txt CONTENT "${lines}\n")
endfunction()
