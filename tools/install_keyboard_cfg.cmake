# Puts the default keyboard.cfg into GAME_DIR unless one is already there: a player's own
# bindings are never replaced.
#   cmake -DTOOL=... -DGAME_DIR=... -P install_keyboard_cfg.cmake
foreach(var TOOL GAME_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "install_keyboard_cfg.cmake needs -D${var}=...")
  endif()
endforeach()

if(EXISTS ${GAME_DIR}/keyboard.cfg)
  return()
endif()
file(MAKE_DIRECTORY ${GAME_DIR})
execute_process(COMMAND ${TOOL} WORKING_DIRECTORY ${GAME_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT EXISTS ${GAME_DIR}/keyboard.cfg)
  message(FATAL_ERROR "could not write the default keyboard.cfg (${result})")
endif()
