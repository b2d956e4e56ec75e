# Two Windows packages, made by `cpack` in the build folder into package/:
#  - trimbench-libs-<version>-win64.zip (`cpack -G ZIP`): the device DLLs and
#    the link example (bin/), import libraries and .def export lists (lib/),
#    the C headers (include/) and a README;
#  - trimbench-<version>-win64-setup.exe (`cpack -G NSIS`): the installer of
#    the program. It puts Trimbench2.exe, trimbench.exe, our DLLs, the
#    resource library (lang\en\Trimbench_800.dll), Qt's Japanese texts
#    (translations\qtbase_ja.qm) and the manual (manual\ja, manual\en) in
#    C:\Program Files\Kestrune\Trimbench2, adds a Start-menu entry and an
#    uninstaller, and registers nothing else: the settings are
#    made on first use. Qt is linked into the programs.
# The zip holds the component of the libraries' own install rules; the
# installer the component "program" (cmake/WindowsPackageGenerators.cmake
# chooses per generator).
install(FILES ${CMAKE_SOURCE_DIR}/packaging/windows/README.txt DESTINATION .)

if(TARGET Trimbench2)
  install(TARGETS Trimbench2 trimbench RUNTIME DESTINATION . COMPONENT program)
  # Our DLLs beside the programs, the language pack below lang\.
  install(DIRECTORY ${TB_OUT_DIR}/ DESTINATION . COMPONENT program
    FILES_MATCHING PATTERN "*.dll"
    PATTERN "package" EXCLUDE PATTERN "_CPack_Packages" EXCLUDE PATTERN "manual" EXCLUDE)
  install(DIRECTORY ${TB_OUT_DIR}/manual DESTINATION . COMPONENT program)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/windows/LICENSE-Qt.txt DESTINATION . COMPONENT program)
  # Qt's own texts in Japanese, in translations\ beside the programs where
  # they look first. The static kit carries no translations; the build
  # machine's files of the same Qt version (Debian's qt6-translations-l10n)
  # serve, a .qm file being no platform's.
  set(TB_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH "Qt's translations for the installer")
  if(EXISTS ${TB_QT_TRANSLATIONS}/qtbase_ja.qm)
    install(FILES ${TB_QT_TRANSLATIONS}/qtbase_ja.qm DESTINATION translations COMPONENT program)
  else()
    message(WARNING "No qtbase_ja.qm in ${TB_QT_TRANSLATIONS}: the installer's Qt texts stay English")
  endif()
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME trimbench)
set(CPACK_PACKAGE_VENDOR "KESTRUNE CORPORATION")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Trimbench2: trimming the measuring channels of data loggers")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/WindowsPackageGenerators.cmake)
set(CPACK_TB_PACKAGE_BUILD_DIR ${CMAKE_BINARY_DIR})

# The installer: per machine, under Program Files.
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Kestrune\\\\Trimbench2")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Kestrune Trimbench2")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "Trimbench2 ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME "Trimbench2")
set(CPACK_PACKAGE_EXECUTABLES "Trimbench2;Trimbench2")
set(CPACK_NSIS_INSTALLED_ICON_NAME "Trimbench2.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
# A 64-bit installer for 64-bit programs (it also runs where only 64-bit
# programs can, as under a 64-bit-only Wine).
# Nothing is left: once the files are gone, the company's folder and key go
# too when they are empty (another of the company's programs keeps them).
set(CPACK_NSIS_DEFINES "Target amd64-unicode
Function un.onUninstSuccess
  RMDir '$PROGRAMFILES64\\\\Kestrune'
  DeleteRegKey /ifempty SHCTX 'Software\\\\KESTRUNE CORPORATION'
FunctionEnd")
include(CPack)
