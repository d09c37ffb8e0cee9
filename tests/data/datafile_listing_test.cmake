# Lists each built datafile with the real dat tool: its objects' order, types and sizes.
#   cmake -DDAT=... -DGAME_DIR=... -P datafile_listing_test.cmake
# Each object is listed as "- TYPE - NN_ROLE_EXT - detail", in the order of the roles given.
function(expect_listing datafile type detail)
  execute_process(COMMAND ${DAT} -l ${GAME_DIR}/${datafile} OUTPUT_VARIABLE listing
                  RESULT_VARIABLE failed)
  string(REGEX MATCHALL "\n- [^\n]*" lines "\n${listing}")
  list(LENGTH lines got)
  list(LENGTH ARGN want)
  if(failed OR NOT got EQUAL want)
    message(FATAL_ERROR "${datafile}: ${got} objects listed, ${want} expected:\n${listing}")
  endif()
  set(index 0)
  foreach(role IN LISTS ARGN)
    list(GET lines ${index} line)
    if(index LESS 10)
      set(index "0${index}")
    endif()
    if(NOT line MATCHES "^\n- ${type} +- ${index}_${role}_[A-Z]+ +- ${detail}$")
      message(SEND_ERROR "${datafile}: expected ${type} ${index}_${role}, ${detail}; got${line}")
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(listing "${listing}" PARENT_SCOPE)
endfunction()

expect_listing(menus.dat BMP "bitmap \\([0-9]+x[0-9]+, 24 bit\\)"
  BACKGROUND OK OK_LIT CONTROLS CONTROLS_LIT POINTER [A-Z_]+ [A-Z_]+ DOWN DOWN_LIT EXIT EXIT_LIT
  LOAD LOAD_LIT OPTIONS OPTIONS_LIT ONE_PLAYER ONE_PLAYER_LIT TWO_PLAYERS TWO_PLAYERS_LIT
  THREE_PLAYERS THREE_PLAYERS_LIT FOUR_PLAYERS FOUR_PLAYERS_LIT SAVE SAVE_LIT START START_LIT
  TITLE UP UP_LIT)
if(NOT listing MATCHES "00_BACKGROUND_[A-Z]+ +- bitmap \\(640x480, 24 bit\\)")
  message(SEND_ERROR "menus.dat: the background is not 640x480")
endif()
# OpenGL takes textures with sides of a power of two.
set(side "(16|32|64|128|256|512|1024)")
expect_listing(textures.dat BMP "bitmap \\(${side}x${side}, 24 bit\\)"
  GROUND COMPUTER_TANK TRACKS HUMAN_TANK)
expect_listing(sounds.dat SAMP "sample \\((8|16) bit mono, (22050|44100), [0-9.]+ sec\\)"
  DESTROYED SHOT HIT)
