# The release package: rollkeep-<version>-win32.zip with both programs and
# the README. Made with `cpack` in the Windows build folder.
# Packaging needs the two programs, not the tests: scripts/test builds just
# these where the tests run on another build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS rollkeep roomsim RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME rollkeep)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME rollkeep-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
