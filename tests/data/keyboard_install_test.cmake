# The build writes the default keyboard.cfg where there is none and leaves a player's own alone.
#   cmake -DINSTALL_SCRIPT=... -DTOOL=... -DWORK=... -P keyboard_install_test.cmake
# Leaves WORK/fresh/keyboard.cfg behind for the test that reads the bindings.
file(REMOVE_RECURSE ${WORK})

function(install_into dir)
  execute_process(COMMAND ${CMAKE_COMMAND} -DTOOL=${TOOL} -DGAME_DIR=${dir} -P ${INSTALL_SCRIPT}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "installing keyboard.cfg into ${dir} failed")
  endif()
endfunction()

install_into(${WORK}/fresh)
if(NOT EXISTS ${WORK}/fresh/keyboard.cfg)
  message(FATAL_ERROR "no keyboard.cfg was written into an empty game folder")
endif()

set(own "a player's own bindings")
file(WRITE ${WORK}/kept/keyboard.cfg "${own}")
install_into(${WORK}/kept)
file(READ ${WORK}/kept/keyboard.cfg after)
if(NOT after STREQUAL own)
  message(FATAL_ERROR "a player's keyboard.cfg was overwritten")
endif()
