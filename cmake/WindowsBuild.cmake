# The Windows build: the device libraries (link, LAN socket, model 870/875),
# the stand-ins of the outside libraries, the platform library they share,
# the link example, and above them the program Trimbench2.exe, the command
# line trimbench.exe and the resource library, against a static Qt 6 for
# MinGW-w64 (TB_QT_WINDOWS, or CMAKE_PREFIX_PATH / Qt6_DIR); the tests run
# under Wine against trimbench-sim (scripts/wine-test.sh).
#
# Every deliverable lands in out/ with its import library; the C and C++
# runtimes are linked statically, so nothing but Windows system DLLs and
# our own DLLs is needed beside them.
set(TB_OUT_DIR ${CMAKE_BINARY_DIR}/out)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${TB_OUT_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${TB_OUT_DIR})
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "")
set(TB_GUI ON)
set(TB_FUZZ OFF)
set(TB_SANITIZE OFF)

add_compile_options(-Wall -Wextra -Wpedantic)
# Windows 7 and later: the APIs used here (SetupAPI, WSAPoll, mailslots).
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
# localtime_r and the other reentrant time functions of the C runtime.
add_compile_definitions(_POSIX_THREAD_SAFE_FUNCTIONS=200112L)
add_link_options(-static)

list(APPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/cmake)
include(Trimbench)
find_package(Threads REQUIRED)

# Exports of the DLLs: the C names only, undecorated (x64 has one calling
# convention, so no @n suffixes arise).
set(TB_EXPORT_DEFINE "TB_EXPORT=__declspec(dllexport)")

# A DLL, its import library (.dll.a) and a .def file of its exports, for
# the package: bin/, lib/ and the headers in include/.
function(tb_install_library target)
  cmake_parse_arguments(L "VERSIONED" "DESTINATION" "HEADERS" ${ARGN})
  set_target_properties(${target} PROPERTIES ARCHIVE_OUTPUT_DIRECTORY ${TB_OUT_DIR})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(def ${TB_OUT_DIR}/${target}.def)
    target_link_options(${target} PRIVATE -Wl,--output-def,${def})
    install(TARGETS ${target} RUNTIME DESTINATION bin ARCHIVE DESTINATION lib)
    install(FILES ${def} DESTINATION lib)
  endif()
  foreach(header IN LISTS L_HEADERS)
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${header})
    get_filename_component(folder ${relative} DIRECTORY)
    install(FILES ${header} DESTINATION include/${folder})
  endforeach()
endfunction()

include(cmake/WindowsQt.cmake)

# tb_install_program(TARGET): the programs go into the installer's
# component (cmake/WindowsPackage.cmake), not the libraries' zip.
function(tb_install_program target)
endfunction()

tb_read_layers(TB_LAYER_FOLDERS)
foreach(folder IN LISTS TB_LAYER_FOLDERS)
  add_subdirectory(${folder})
endforeach()
add_subdirectory(doc)
set_target_properties(link_find_and_talk PROPERTIES OUTPUT_NAME find_and_talk)
# The LAN socket library's sources as a static library serve the Linux tests only.
set_target_properties(tb_tcp_core PROPERTIES EXCLUDE_FROM_ALL ON)
install(TARGETS link_find_and_talk RUNTIME DESTINATION bin)

include(cmake/WindowsPackage.cmake)

if(TB_TESTS OR TB_BENCH)
  add_subdirectory(tests/support)
endif()
if(TB_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_subdirectory(tests/windows)
endif()
if(TB_BENCH)
  add_subdirectory(bench/windows)
endif()

tb_import_qt_plugins(${CMAKE_SOURCE_DIR})
