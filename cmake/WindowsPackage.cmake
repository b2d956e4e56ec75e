# trimbench-libs-<version>-win64.zip: the DLLs and the link example (bin/),
# import libraries and .def export lists (lib/), the C headers (include/) and
# a README. `cpack -G ZIP` in the build folder makes it in package/.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/windows/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME trimbench-libs)
set(CPACK_PACKAGE_VENDOR "KESTRUNE CORPORATION")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME trimbench-libs-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
