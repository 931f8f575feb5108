# Build helpers shared by every component.
#
#   vimbrel_portable_library(name [INCLUDE dir ...] SOURCES ... [LIBS ...])
#       A static library with no Windows header, built natively and for Windows.
#       Its callers include from its folder and from each INCLUDE folder
#       (relative to the folder of the list that declares it).
#   vimbrel_test(name SOURCES ... [LIBS ...] [WINDOWS_ONLY] [WINXP] [TIMEOUT s])
#       A GoogleTest program. In the cross build it runs under Wine in the test
#       prefix (WINXP: the prefix that reports Windows XP). Each one prints
#       the steps that failed (failtrail/) under a test that fails. In the
#       cross build each one links the message pump (testbench/pump).
#   vimbrel_deliverable(target [DESTINATION folder] [COMPONENT name])
#       A shipped binary, installed into the program folder.
#   vimbrel_program_file(source destination)
#       A data file beside the programs (destination relative to the folder).
#   vimbrel_com_server(target)
#       Registers the target with regsvr32 in the test prefixes before tests run.
#   vimbrel_fuzz_target(name SOURCES ... [LIBS ...] [SEEDS dir])
#       A libFuzzer target, built only in the fuzz tree (VIMBREL_FUZZ, clang);
#       SEEDS is its seed corpus in the source tree. tools/fuzz runs each one,
#       tools/test briefly.
#   vimbrel_benchmark(name SOURCES ... [LIBS ...])
#       A Google Benchmark program (VIMBREL_BENCHMARKS=ON); the Windows build
#       links testbench/benchharness instead of the library.

option(VIMBREL_SANITIZE   "Build the native tree with ASan and UBSan" ON)
option(VIMBREL_BENCHMARKS "Build the benchmarks" OFF)
# The fuzz tree: every library is compiled with libFuzzer's coverage hooks, so
# the targets see the branches of the code they drive, not only their own.
# It is a tree of its own because the hooks slow the pixel tests severalfold.
option(VIMBREL_FUZZ "Build the fuzz targets, with coverage hooks in all code (native clang)" OFF)
# tools/test turns this on so that a new warning fails the build rather than
# scrolling past; off by default so a newer compiler's new warnings do not
# stop someone building the product.
option(VIMBREL_WERROR "Treat compiler warnings as errors" OFF)

if(WIN32)
    set(VIMBREL_WINDOWS TRUE)
else()
    set(VIMBREL_WINDOWS FALSE)
endif()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/lib")

add_compile_options(-Wall -Wextra)
if(VIMBREL_WERROR)
    add_compile_options(-Werror)
endif()

if(VIMBREL_WINDOWS)
    add_compile_definitions(UNICODE _UNICODE STRSAFE_NO_DEPRECATE
                            _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)
    # Plug-ins and DLLs are loaded by name; no "lib" prefix on Windows.
    set(CMAKE_SHARED_LIBRARY_PREFIX "")
    set(CMAKE_SHARED_MODULE_PREFIX "")
    set(VIMBREL_WINEPREFIX    "${CMAKE_BINARY_DIR}/wineprefix")
    set(VIMBREL_WINEPREFIX_XP "${CMAKE_BINARY_DIR}/wineprefix-xp")
elseif(VIMBREL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
    if(VIMBREL_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        add_compile_options(-fsanitize=fuzzer-no-link)
    endif()
endif()

# GoogleTest: the system package natively, compiled from its sources for Windows.
if(VIMBREL_WINDOWS)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    foreach(t gtest gtest_main gmock gmock_main)
        target_compile_options(${t} PRIVATE -w)
        if(NOT TARGET GTest::${t})
            add_library(GTest::${t} ALIAS ${t})
        endif()
    endforeach()
else()
    find_package(GTest REQUIRED)
endif()

function(vimbrel_portable_library name)
    cmake_parse_arguments(ARG "" "" "INCLUDE;SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
    foreach(dir IN LISTS ARG_INCLUDE)
        get_filename_component(dir "${dir}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
        target_include_directories(${name} PUBLIC "${dir}")
    endforeach()
    if(ARG_LIBS)
        target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    endif()
endfunction()

function(vimbrel_test name)
    cmake_parse_arguments(ARG "WINDOWS_ONLY;WINXP;NO_MAIN" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(ARG_WINDOWS_ONLY AND NOT VIMBREL_WINDOWS)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_NO_MAIN)
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    else()
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
    endif()
    target_link_libraries(${name} PRIVATE testbench_trail)
    if(VIMBREL_WINDOWS)
        target_link_libraries(${name} PRIVATE testbench_pump)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    if(VIMBREL_WINDOWS)
        if(ARG_WINXP)
            set_property(GLOBAL PROPERTY VIMBREL_NEEDS_XP_PREFIX TRUE)
            set_tests_properties(${name} PROPERTIES
                ENVIRONMENT "WINEPREFIX=${VIMBREL_WINEPREFIX_XP};WINEARCH=${VIMBREL_WINE_ARCH}"
                FIXTURES_REQUIRED wineprefix_xp)
        else()
            set_tests_properties(${name} PROPERTIES
                ENVIRONMENT "WINEPREFIX=${VIMBREL_WINEPREFIX};WINEARCH=${VIMBREL_WINE_ARCH}"
                FIXTURES_REQUIRED wineprefix)
        endif()
    endif()
endfunction()

# What a DLL links so that freeing it gives back what the statically linked
# C++ runtime took (runtime/): every shipped DLL, and the test DLL that
# stands in for them.
function(vimbrel_dll_runtime_glue target)
    target_link_libraries(${target} PRIVATE vimbrel_dll_runtime)
    target_link_options(${target} PRIVATE "-Wl,--wrap=pthread_once")
endfunction()

# A shipped deliverable: part of the "deliverables" target, which the 32-bit
# build makes even where its tests cannot run, and installed into the program
# folder (`cmake --install` lays the folder down; tools/package zips it).
# DESTINATION names a folder below the program folder; COMPONENT with
# DESTINATION "." puts a build the folder has no room for (a second module
# of the same file name) into a component of its own, left out of the
# default install.
# A DLL or plug-in also gets the runtime glue that lets it be freed without
# leaving memory or thread-local slots behind (runtime/).
function(vimbrel_deliverable target)
    cmake_parse_arguments(ARG "" "DESTINATION;COMPONENT" "" ${ARGN})
    set_property(GLOBAL APPEND PROPERTY VIMBREL_DELIVERABLES ${target})
    if(NOT VIMBREL_WINDOWS)
        return()
    endif()
    get_target_property(type ${target} TYPE)
    if(type MATCHES "SHARED_LIBRARY|MODULE_LIBRARY")
        vimbrel_dll_runtime_glue(${target})
        set_property(GLOBAL APPEND PROPERTY VIMBREL_SHIPPED_DLLS ${target})
    endif()
    if(NOT ARG_DESTINATION)
        set(ARG_DESTINATION .)
    endif()
    if(ARG_COMPONENT)
        install(FILES "$<TARGET_FILE:${target}>" DESTINATION "${ARG_DESTINATION}"
                COMPONENT ${ARG_COMPONENT} EXCLUDE_FROM_ALL)
    else()
        install(FILES "$<TARGET_FILE:${target}>" DESTINATION "${ARG_DESTINATION}" COMPONENT program)
    endif()
endfunction()

# A data file the programs read from the program folder: copied into bin,
# where tests and a run from the build tree find it as an installed program
# would, and installed at the same place below the program folder.
function(vimbrel_program_file source destination)
    configure_file("${source}" "${CMAKE_BINARY_DIR}/bin/${destination}" COPYONLY)
    if(NOT VIMBREL_WINDOWS)
        return()
    endif()
    get_filename_component(folder "${destination}" DIRECTORY)
    get_filename_component(name "${destination}" NAME)
    if(NOT folder)
        set(folder .)
    endif()
    install(FILES "${source}" DESTINATION "${folder}" RENAME "${name}" COMPONENT program)
endfunction()

function(vimbrel_com_server target)
    if(VIMBREL_WINDOWS)
        set_property(GLOBAL APPEND PROPERTY VIMBREL_COM_SERVERS "$<TARGET_FILE:${target}>")
    endif()
endfunction()

function(vimbrel_fuzz_target name)
    cmake_parse_arguments(ARG "" "SEEDS" "SOURCES;LIBS" ${ARGN})
    if(VIMBREL_WINDOWS OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang" OR NOT VIMBREL_SANITIZE
       OR NOT VIMBREL_FUZZ)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set(entry "$<TARGET_FILE:${name}>")
    if(ARG_SEEDS)
        string(APPEND entry "\t${CMAKE_CURRENT_SOURCE_DIR}/${ARG_SEEDS}")
    endif()
    set_property(GLOBAL APPEND PROPERTY VIMBREL_FUZZ_TARGETS "${entry}")
    set_property(GLOBAL APPEND PROPERTY VIMBREL_FUZZ_TARGET_NAMES ${name})
endfunction()

function(vimbrel_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    if(NOT VIMBREL_BENCHMARKS)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    if(VIMBREL_WINDOWS)
        # Google Benchmark does not exist for MinGW here; our harness offers
        # the part of its interface the benchmark programs use.
        if(NOT TARGET bench_harness)
            add_library(bench_harness STATIC "${CMAKE_SOURCE_DIR}/testbench/benchharness/Harness.cpp")
            target_include_directories(bench_harness PUBLIC "${CMAKE_SOURCE_DIR}/testbench/benchharness")
        endif()
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} bench_harness)
    else()
        find_package(benchmark REQUIRED)
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
    endif()
    set_property(GLOBAL APPEND PROPERTY VIMBREL_BENCHMARKS_LIST "$<TARGET_FILE:${name}>")
endfunction()

# Called once at the end of the top-level list: the prefix fixtures that every
# Wine test depends on, and the lists tools/test and tools/bench read.
function(vimbrel_finish_prefix_fixture)
    get_property(fuzzers GLOBAL PROPERTY VIMBREL_FUZZ_TARGETS)
    string(REPLACE ";" "\n" fuzzers "${fuzzers}")
    file(GENERATE OUTPUT "${CMAKE_BINARY_DIR}/fuzz-targets.txt" CONTENT "${fuzzers}\n")
    get_property(fuzz_names GLOBAL PROPERTY VIMBREL_FUZZ_TARGET_NAMES)
    if(fuzz_names)
        add_custom_target(fuzz_targets DEPENDS ${fuzz_names})
    endif()
    get_property(benches GLOBAL PROPERTY VIMBREL_BENCHMARKS_LIST)
    string(REPLACE ";" "\n" benches "${benches}")
    file(GENERATE OUTPUT "${CMAKE_BINARY_DIR}/benchmarks.txt" CONTENT "${benches}\n")
    if(NOT VIMBREL_WINDOWS)
        return()
    endif()
    # The load-and-free test reads the shipped DLLs from beside itself.
    get_property(dlls GLOBAL PROPERTY VIMBREL_SHIPPED_DLLS)
    if(TARGET dll_unload_test AND dlls)
        set(paths "")
        foreach(dll IN LISTS dlls)
            string(APPEND paths "$<TARGET_FILE:${dll}>\n")
        endforeach()
        file(GENERATE OUTPUT "${CMAKE_BINARY_DIR}/bin/shipped-dlls.txt" CONTENT "${paths}")
        add_dependencies(dll_unload_test ${dlls})
    endif()
    get_property(servers GLOBAL PROPERTY VIMBREL_COM_SERVERS)
    set(prepare "${CMAKE_SOURCE_DIR}/testbench/prepare-prefix")
    set(keepwarm "$<TARGET_FILE:keepwarm>")
    get_property(deliverables GLOBAL PROPERTY VIMBREL_DELIVERABLES)
    add_custom_target(deliverables)
    if(deliverables)
        add_dependencies(deliverables ${deliverables})
    endif()
    set(ENV_ARCH "WINEARCH=${VIMBREL_WINE_ARCH}")
    add_test(NAME wineprefix.setup
             COMMAND "${prepare}" start "${VIMBREL_WINEPREFIX}" "${keepwarm}" ${servers})
    add_test(NAME wineprefix.cleanup COMMAND "${prepare}" stop "${VIMBREL_WINEPREFIX}")
    set_tests_properties(wineprefix.setup PROPERTIES FIXTURES_SETUP wineprefix TIMEOUT 600
                         ENVIRONMENT "${ENV_ARCH}")
    set_tests_properties(wineprefix.cleanup PROPERTIES FIXTURES_CLEANUP wineprefix
                         ENVIRONMENT "${ENV_ARCH}")
    get_property(need_xp GLOBAL PROPERTY VIMBREL_NEEDS_XP_PREFIX)
    if(need_xp)
        add_test(NAME wineprefix_xp.setup
                 COMMAND "${prepare}" start --winxp "${VIMBREL_WINEPREFIX_XP}" "${keepwarm}" ${servers})
        add_test(NAME wineprefix_xp.cleanup COMMAND "${prepare}" stop "${VIMBREL_WINEPREFIX_XP}")
        set_tests_properties(wineprefix_xp.setup PROPERTIES FIXTURES_SETUP wineprefix_xp TIMEOUT 600
                             ENVIRONMENT "${ENV_ARCH}")
        set_tests_properties(wineprefix_xp.cleanup PROPERTIES FIXTURES_CLEANUP wineprefix_xp
                             ENVIRONMENT "${ENV_ARCH}")
    endif()
endfunction()

include("${CMAKE_CURRENT_LIST_DIR}/BenchPeers.cmake")
