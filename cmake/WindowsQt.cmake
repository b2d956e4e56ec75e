# Qt 6 for the Windows build: a static kit for MinGW-w64 (scripts/qt-windows-kit.sh
# extracts the prebuilt one; scripts/build-qt-windows.sh builds it from the
# sources), or any Qt for MinGW found through CMAKE_PREFIX_PATH or Qt6_DIR.
set(TB_QT_WINDOWS "$ENV{TB_QT_WINDOWS}" CACHE PATH "Prefix of Qt 6 for Windows (MinGW-w64)")
if(TB_QT_WINDOWS)
  list(PREPEND CMAKE_PREFIX_PATH ${TB_QT_WINDOWS})
  # The toolchain searches packages below its root paths only.
  list(APPEND CMAKE_FIND_ROOT_PATH ${TB_QT_WINDOWS})
endif()
# moc, rcc and uic of the build machine run during the build.
if(NOT QT_HOST_PATH AND EXISTS /usr/lib/qt6/libexec/moc)
  set(QT_HOST_PATH /usr CACHE PATH "Qt host tools")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Qt host tools' CMake files")
endif()

set(TB_QT_COMPONENTS Core Gui Widgets Sql Charts PrintSupport Test)
find_package(Qt6 QUIET COMPONENTS ${TB_QT_COMPONENTS})
if(NOT Qt6_FOUND)
  message(FATAL_ERROR
    "No Qt 6 for Windows (MinGW-w64) with ${TB_QT_COMPONENTS} was found.\n"
    "Set TB_QT_WINDOWS to a kit's prefix (scripts/qt-windows-kit.sh extracts the "
    "prebuilt one and prints it), build one with scripts/build-qt-windows.sh, or "
    "put your own Qt for MinGW on CMAKE_PREFIX_PATH / Qt6_DIR.")
endif()
get_target_property(TB_QT_CORE_TYPE Qt6::Core TYPE)
message(STATUS "Qt ${Qt6_VERSION} for Windows: ${Qt6_DIR} (${TB_QT_CORE_TYPE})")

# tb_import_qt_plugins(DIR): with a static Qt, every program under DIR links
# the windows and offscreen platforms and the SQLite driver (the window
# tests run offscreen, the program on the windows platform). A shared Qt
# loads them from its plugin folder instead.
function(tb_import_qt_plugins dir)
  if(NOT TB_QT_CORE_TYPE STREQUAL "STATIC_LIBRARY")
    return()
  endif()
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      qt_import_plugins(${target}
        INCLUDE Qt6::QWindowsIntegrationPlugin Qt6::QOffscreenIntegrationPlugin
                Qt6::QSQLiteDriverPlugin Qt6::QWindowsVistaStylePlugin)
    endif()
  endforeach()
  get_property(children DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(child IN LISTS children)
    tb_import_qt_plugins(${child})
  endforeach()
endfunction()
