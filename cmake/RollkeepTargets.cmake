if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsXp.cmake)
endif()

# Settings every target of our own gets: strict warnings and, in the native
# test preset, the sanitizers. Third-party code (GoogleTest) never gets them.
function(rollkeep_settings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(ROLLKEEP_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(ROLLKEEP_FUZZ)
    # The code under test carries the fuzzer's coverage and the sanitizers too.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  endif()
  if(WIN32)
    # Narrow ANSI API, no min/max macros, Windows XP and later: the headers
    # then declare nothing newer, and a newer function is found at run time.
    target_compile_definitions(${target} PRIVATE
      WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      rollkeep_xp_executable(${target})
    endif()
  endif()
endfunction()
