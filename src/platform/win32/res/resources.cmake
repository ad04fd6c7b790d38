# Rollkeep's Windows resources for one executable target:
#
#   include(${PROJECT_SOURCE_DIR}/src/platform/win32/res/resources.cmake)
#   rollkeep_add_resources(rollkeep)
#
# draws the icon and the splash picture at build time (tools/art/make_art.py),
# writes version.h from the project version, and compiles rollkeep.rc into the
# target with windres.

set(ROLLKEEP_RES_DIR ${CMAKE_CURRENT_LIST_DIR})
get_filename_component(ROLLKEEP_ART_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/../../../../tools/art/make_art.py
  ABSOLUTE)

function(rollkeep_add_resources target)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_res)
  set(art ${out}/rollkeep.ico ${out}/splash.bmp)

  add_custom_command(
    OUTPUT ${art}
    COMMAND Python3::Interpreter ${ROLLKEEP_ART_SCRIPT} ${out}
    DEPENDS ${ROLLKEEP_ART_SCRIPT}
    COMMENT "Drawing the icon and the splash picture"
    VERBATIM)

  # The version resource's one source: the project version.
  foreach(part MAJOR MINOR PATCH)
    set(ROLLKEEP_VERSION_${part} ${PROJECT_VERSION_${part}})
    if(NOT ROLLKEEP_VERSION_${part})
      set(ROLLKEEP_VERSION_${part} 0)
    endif()
  endforeach()
  set(ROLLKEEP_VERSION_BUILD ${PROJECT_VERSION_TWEAK})
  if(NOT ROLLKEEP_VERSION_BUILD)
    set(ROLLKEEP_VERSION_BUILD 0)
  endif()
  configure_file(${ROLLKEEP_RES_DIR}/version.h.in ${out}/version.h @ONLY)

  set(rc ${ROLLKEEP_RES_DIR}/rollkeep.rc)
  target_sources(${target} PRIVATE ${rc} ${art})
  # windres looks for included headers and for the files named in the .rc
  # in these folders; the C++ sources of the target do not need them.
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES
    INCLUDE_DIRECTORIES "${out};${ROLLKEEP_RES_DIR}"
    OBJECT_DEPENDS "${art};${out}/version.h;${ROLLKEEP_RES_DIR}/resource.h;${ROLLKEEP_RES_DIR}/rollkeep.manifest")
endfunction()
