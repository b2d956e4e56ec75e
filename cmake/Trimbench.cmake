# Helpers shared by every area of the tree.

# The layer folders of cmake/Layers.txt, bottom layer first, into OUT_VAR.
function(tb_read_layers out_var)
  file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/Layers.txt lines REGEX "^[a-z]")
  list(REVERSE lines)
  set(folders "")
  foreach(line IN LISTS lines)
    string(REGEX MATCHALL "[a-z0-9_]+" names "${line}")
    list(APPEND folders ${names})
  endforeach()
  set(${out_var} ${folders} PARENT_SCOPE)
endfunction()

# tb_include_folder(TARGET PUBLIC|PRIVATE FOLDER): TARGET (and, PUBLIC, what
# links it) reaches the headers of the top-level FOLDER as "FOLDER/...", and
# no other folder of the tree. Each folder gets an include root in the build
# tree holding a single link to it.
function(tb_include_folder target scope folder)
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# tb_test(NAME SOURCES ... LIBS ... [ENV k=v ...] [LABELS ...] [SERIAL])
# A GoogleTest executable in the output folder, each test case a CTest test.
# The ENV entries (generator expressions allowed) are compiled into the
# program and set before main() runs; variables that a runtime reads at its
# own start-up (sanitizer options) come from scripts/test.sh instead.
function(tb_test name)
  cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
  set(env_source ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cpp)
  set(content "// Generated: the environment of ${name}, set before main() runs.\n")
  string(APPEND content "#include <cstdlib>\n#include <string>\nnamespace {\n")
  string(APPEND content "const char* const kEntries[] = {\n")
  set(entries QT_QPA_PLATFORM=offscreen ${T_ENV})
  foreach(entry IN LISTS entries)
    string(APPEND content "    R\"tbenv(${entry})tbenv\",\n")
  endforeach()
  string(APPEND content "};\n")
  string(APPEND content "const bool kApplied = [] {\n")
  string(APPEND content "    for (const std::string entry : kEntries) {\n")
  string(APPEND content "        const auto eq = entry.find('=');\n")
  string(APPEND content "        if (eq != std::string::npos && eq > 0)\n")
  string(APPEND content "            setenv(entry.substr(0, eq).c_str(), entry.c_str() + eq + 1, 1);\n")
  string(APPEND content "    }\n    return true;\n}();\n}  // namespace\n")
  file(GENERATE OUTPUT ${env_source} CONTENT "${content}")
  add_executable(${name} ${T_SOURCES} ${env_source})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set(props TIMEOUT 300)
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

# Installed layout (prefix /usr in the package): programs in bin/, every
# shared library in the private folder lib/trimbench/ where the programs find
# them through their RUNPATH, the C headers of the exported interfaces in
# include/trimbench/, the manual and data in share/trimbench/.
set(TB_INSTALL_LIBDIR lib/trimbench)
set(TB_INSTALL_INCLUDEDIR include/trimbench)
set(TB_INSTALL_DATADIR share/trimbench)

# tb_install_program(TARGET): a program for bin/.
function(tb_install_program target)
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/../${TB_INSTALL_LIBDIR}")
  install(TARGETS ${target} RUNTIME DESTINATION bin)
endfunction()

# tb_install_library(TARGET [VERSIONED] [HEADERS FILE...] [DESTINATION DIR])
# A shared library for lib/trimbench (or DIR below it). VERSIONED: one of our
# own libraries; it carries the project's version and the ABI number in its
# SONAME (lib<name>.so.<major>), and lib<name>.so stays the name callers
# open. The stand-ins for outside libraries keep their plain names. HEADERS:
# the library's C interface (and what it includes), installed to
# include/trimbench with their paths in the tree, so that they include each
# other as they do here.
function(tb_install_library target)
  cmake_parse_arguments(L "VERSIONED" "DESTINATION" "HEADERS" ${ARGN})
  if(L_VERSIONED)
    set_target_properties(${target} PROPERTIES
      VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  endif()
  set(destination ${TB_INSTALL_LIBDIR})
  if(L_DESTINATION)
    set(destination ${TB_INSTALL_LIBDIR}/${L_DESTINATION})
  endif()
  install(TARGETS ${target} LIBRARY DESTINATION ${destination})
  foreach(header IN LISTS L_HEADERS)
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${header})
    get_filename_component(folder ${relative} DIRECTORY)
    install(FILES ${header} DESTINATION ${TB_INSTALL_INCLUDEDIR}/${folder})
  endforeach()
endfunction()
