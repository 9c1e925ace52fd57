# Release bundles: `cmake --build build/<arch> --target package` makes Ondivar-<version>-<arch>.zip with the
# DLL, the command-line client, the registration notes and the scripting notes.
if(TARGET Ondivar)
  install(TARGETS Ondivar RUNTIME DESTINATION . LIBRARY DESTINATION .)
endif()
if(TARGET ondivar-flow)
  install(TARGETS ondivar-flow RUNTIME DESTINATION .)
endif()
# The notes are read on Windows: they go into the bundle with Windows line endings.
foreach(note INSTALL.txt scripting.md)
  configure_file(${PROJECT_SOURCE_DIR}/docs/${note} ${CMAKE_BINARY_DIR}/bundle-notes/${note} COPYONLY
                 NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/bundle-notes/${note} DESTINATION .)
endforeach()
if(EXISTS ${PROJECT_SOURCE_DIR}/tools/examples)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/tools/examples/ DESTINATION examples)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Ondivar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(ONDIVAR_PACKAGE_NAME Ondivar-${PROJECT_VERSION}-${ONDIVAR_ARCH})
set(CPACK_PACKAGE_FILE_NAME ${ONDIVAR_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
include(CPack)
