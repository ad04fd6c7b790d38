# What makes a program of ours start on Windows XP SP3 (and every later
# Windows): a PE header that asks for no more than XP (5.1), and a threads
# library that does not import GetTickCount64.
#
# MinGW-w64's static threads library (winpthreads, behind std::thread and
# std::mutex) calls GetTickCount64, which XP's kernel32 lacks, in its timed
# waits. A copy of it is made here with that one call renamed to
# rollkeepTickCount64 (src/platform/win32/common/tick_count_64_slot.cpp), and
# the programs link the copy. Any other GetTickCount64 call still imports the
# system's function, which scripts/check-imports then refuses.
set(ROLLKEEP_XP_LIBS ${CMAKE_BINARY_DIR}/xp-libs)
file(MAKE_DIRECTORY ${ROLLKEEP_XP_LIBS})
foreach(library libpthread.a libwinpthread.a)
  execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${library}
    OUTPUT_VARIABLE original OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  if(NOT IS_ABSOLUTE "${original}")
    message(FATAL_ERROR "${library} of ${CMAKE_CXX_COMPILER} not found")
  endif()
  execute_process(
    COMMAND ${CMAKE_OBJCOPY}
      --redefine-sym __imp__GetTickCount64@0=__imp__rollkeepTickCount64@0
      ${original} ${ROLLKEEP_XP_LIBS}/${library}
    COMMAND_ERROR_IS_FATAL ANY)
  # A new system library makes a new copy.
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${original})
endforeach()

function(rollkeep_xp_executable target)
  target_link_options(${target} PRIVATE
    -L${ROLLKEEP_XP_LIBS}  # searched before the compiler's own folders
    -Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,1
    -Wl,--major-os-version,5 -Wl,--minor-os-version,1)
  target_sources(${target} PRIVATE
    ${PROJECT_SOURCE_DIR}/src/platform/win32/common/tick_count_64_slot.cpp)
endfunction()
