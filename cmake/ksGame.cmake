# Helpers for games built on the installed ks engine; find_package(ks) includes this file.
#
#   ks_game_data(<target> <folder or file>... [DESTINATION <dir>] [NO_FONT])
#     Copies the game's data (sprites/, sounds/, ...; relative to the current source folder) into
#     the folder the target's executable is built in, when the target is built: a sprite edited
#     in the source is copied again by the next build. The engine's font (ks-font.ttf, with its
#     licence) is copied beside it unless NO_FONT is given, so that the game runs in its build
#     folder. `cmake --install` installs the same files into DESTINATION (default
#     share/<target>, under the install prefix), and the target is compiled with
#     KS_INSTALLED_DATA_FOLDER, that folder's full path, for the game to read its data from once
#     installed (ks::ResourceManager::setDataFolder, ks::GraphicsManager::setFontFile).
#
#   ks_replay_test(<name> <game target> <recording> <summary file>)
#     Registers a CTest test <name> that replays the recording (a file written with --record)
#     without a window or sound (--replay FILE --headless, see ks::Launcher), in the game's build
#     folder, and passes when the game exits with 0, says nothing on stderr, and the last line it
#     prints equals the summary file's line (the one it printed when the game was recorded).
#     Turns testing on (enable_testing) in the current folder.

set(_KS_REPLAY_TEST_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/ksReplayTest.cmake")

function(ks_game_data target)
  cmake_parse_arguments(KS_DATA "NO_FONT" "DESTINATION" "" ${ARGN})
  if(NOT KS_DATA_DESTINATION)
    set(KS_DATA_DESTINATION share/${target})
  endif()
  get_target_property(built_in ${target} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT built_in)
    set(built_in ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  set(copies)
  # Each file is copied by a command of its own, which runs again when that file changes.
  macro(_ks_copy source copy)
    add_custom_command(OUTPUT ${copy} COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
                       DEPENDS ${source} COMMENT "Copying ${copy}" VERBATIM)
    list(APPEND copies ${copy})
  endmacro()
  foreach(item ${KS_DATA_UNPARSED_ARGUMENTS})
    get_filename_component(source ${item} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    get_filename_component(name ${source} NAME)
    if(IS_DIRECTORY ${source})
      file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*)
      foreach(file ${files})
        _ks_copy(${source}/${file} ${built_in}/${name}/${file})
      endforeach()
      install(DIRECTORY ${source} DESTINATION ${KS_DATA_DESTINATION})
    elseif(EXISTS ${source})
      _ks_copy(${source} ${built_in}/${name})
      install(FILES ${source} DESTINATION ${KS_DATA_DESTINATION})
    else()
      message(FATAL_ERROR "ks_game_data(${target}): no file or folder ${source}")
    endif()
  endforeach()
  if(NOT KS_DATA_NO_FONT)
    get_filename_component(font_dir ${KS_FONT_FILE} DIRECTORY)
    foreach(file ks-font.ttf ks-font-LICENSE.txt)
      if(EXISTS ${font_dir}/${file})
        _ks_copy(${font_dir}/${file} ${built_in}/${file})
        install(FILES ${font_dir}/${file} DESTINATION ${KS_DATA_DESTINATION})
      endif()
    endforeach()
  endif()
  add_custom_target(${target}_data DEPENDS ${copies})
  add_dependencies(${target} ${target}_data)
  if(IS_ABSOLUTE ${KS_DATA_DESTINATION})
    set(installed ${KS_DATA_DESTINATION})
  else()
    set(installed ${CMAKE_INSTALL_PREFIX}/${KS_DATA_DESTINATION})
  endif()
  target_compile_definitions(${target} PRIVATE KS_INSTALLED_DATA_FOLDER="${installed}")
endfunction()

# A macro: enable_testing() takes effect only in the folder's own scope, not in a function's.
macro(ks_replay_test)
  enable_testing()
  _ks_add_replay_test(${ARGN})
endmacro()

function(_ks_add_replay_test name game recording summary)
  get_filename_component(recording ${recording} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(summary ${summary} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  add_test(NAME ${name}
           COMMAND ${CMAKE_COMMAND} -DGAME=$<TARGET_FILE:${game}> -DRECORDING=${recording}
                   -DSUMMARY=${summary} -P ${_KS_REPLAY_TEST_SCRIPT}
           WORKING_DIRECTORY $<TARGET_FILE_DIR:${game}>)
endfunction()
