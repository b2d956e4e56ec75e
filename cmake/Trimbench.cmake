# Helpers shared by every area of the tree.

# Adds every direct sub-folder of FOLDER that has a CMakeLists.txt.
function(tb_add_area_folders folder)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/${folder}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# tb_test(NAME SOURCES ... LIBS ... [ENV k=v ...] [LABELS ...] [SERIAL])
# A GoogleTest executable in the output folder, each test case a CTest test.
function(tb_test name)
  cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set(props ENVIRONMENT "${T_ENV};QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp")
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  if(T_SERIAL)
    list(APPEND props RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ${props})
endfunction()

# tb_fuzz(NAME SOURCES ... LIBS ...): a libFuzzer target, run briefly by CI.
function(tb_fuzz name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzz_all ${name})
endfunction()

# tb_bench(NAME SOURCES ... LIBS ...): a Google Benchmark or plain figure printer.
function(tb_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# Marks the C exports of a shared library: everything else stays hidden.
set(TB_EXPORT_DEFINE "TB_EXPORT=__attribute__((visibility(\"default\")))")
