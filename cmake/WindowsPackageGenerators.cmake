# Read by cpack for each generator (CPACK_PROJECT_CONFIG_FILE of
# cmake/WindowsPackage.cmake): which install component goes into which
# package, and its file name.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_TB_PACKAGE_BUILD_DIR};Trimbench;program;/")
  set(CPACK_PACKAGE_FILE_NAME "trimbench-${CPACK_PACKAGE_VERSION}-win64-setup")
else()
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_TB_PACKAGE_BUILD_DIR};Trimbench;Unspecified;/")
  set(CPACK_PACKAGE_FILE_NAME "trimbench-libs-${CPACK_PACKAGE_VERSION}-win64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
