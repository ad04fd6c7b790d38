# The release package: rollkeep-<version>-win32.zip with both programs and
# README.txt, the user's guide. Made with `cpack` in the Windows build folder.
# Packaging needs the two programs and the guide, not the tests: scripts/test
# builds just the programs where the tests run on another build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# The guide is made from the user sections of README.md (between its
# "user-guide:begin" and "user-guide:end" comments), so the two never drift:
# plain text with CR LF line ends and lines of at most 78 columns, which
# Notepad shows as it is meant on every Windows from XP on.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ROLLKEEP_GUIDE_SCRIPT ${PROJECT_SOURCE_DIR}/tools/userguide/make_user_guide.py)
set(ROLLKEEP_GUIDE ${CMAKE_BINARY_DIR}/README.txt)
add_custom_command(
  OUTPUT ${ROLLKEEP_GUIDE}
  COMMAND Python3::Interpreter ${ROLLKEEP_GUIDE_SCRIPT}
          ${PROJECT_SOURCE_DIR}/README.md ${ROLLKEEP_GUIDE} --version ${PROJECT_VERSION}
  DEPENDS ${ROLLKEEP_GUIDE_SCRIPT} ${PROJECT_SOURCE_DIR}/README.md
  COMMENT "Making the user's guide README.txt from README.md"
  VERBATIM)
add_custom_target(user_guide ALL DEPENDS ${ROLLKEEP_GUIDE})

# Built with the product, so whatever builds rollkeep.exe for the package
# (scripts/test builds just the programs) also brings the guide up to date.
add_dependencies(rollkeep user_guide)

install(TARGETS rollkeep roomsim RUNTIME DESTINATION .)
install(FILES ${ROLLKEEP_GUIDE} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME rollkeep)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME rollkeep-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
