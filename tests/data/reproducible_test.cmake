# Makes the datafiles twice more from the same sources and expects the very bytes of the build.
#   cmake -DMAKE_SCRIPT=... -DGENERATOR=... -DDAT=... -DWORK=... -DGAME_DIR=... -P ...
file(REMOVE_RECURSE ${WORK})
foreach(run first second)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DGENERATOR=${GENERATOR} -DDAT=${DAT} -DSCRATCH=${WORK}/scratch-${run}
            -DOUTPUT_DIR=${WORK}/${run} -P ${MAKE_SCRIPT}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the ${run} generator run failed")
  endif()
endforeach()
foreach(other ${WORK}/second ${GAME_DIR})
  foreach(datafile menus.dat textures.dat sounds.dat)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/first/${datafile} ${other}/${datafile}
                    RESULT_VARIABLE differ)
    if(differ)
      message(SEND_ERROR "${other}/${datafile} differs from another run's")
    endif()
  endforeach()
endforeach()
file(REMOVE_RECURSE ${WORK})
