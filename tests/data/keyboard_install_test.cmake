# The build writes the default keyboard.cfg where there is none and leaves a player's own alone.
#   cmake -DINSTALL_SCRIPT=... -DTOOL=... -DWORK=... -P keyboard_install_test.cmake
# Leaves WORK/fresh/keyboard.cfg behind for the test that reads the bindings.
file(REMOVE_RECURSE ${WORK})
set(own "a player's own bindings")
file(WRITE ${WORK}/kept/keyboard.cfg "${own}")
foreach(dir fresh kept)
  execute_process(COMMAND ${CMAKE_COMMAND} -DTOOL=${TOOL} -DGAME_DIR=${WORK}/${dir} -P ${INSTALL_SCRIPT}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "installing keyboard.cfg into ${dir} failed")
  endif()
endforeach()
file(READ ${WORK}/kept/keyboard.cfg after)
if(NOT EXISTS ${WORK}/fresh/keyboard.cfg)
  message(FATAL_ERROR "no keyboard.cfg was written into an empty game folder")
elseif(NOT after STREQUAL own)
  message(FATAL_ERROR "a player's keyboard.cfg was overwritten")
endif()
