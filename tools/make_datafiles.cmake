# Runs the generator into a fresh scratch folder and packs its three subfolders into datafiles.
# Objects are named by their two-digit index, so dat's sorting by name keeps the index order;
# -s1 drops the grabber's date and source-path properties, so equal sources give equal bytes.
#   cmake -DGENERATOR=... -DDAT=... -DSCRATCH=... -DOUTPUT_DIR=... -P make_datafiles.cmake
foreach(var GENERATOR DAT SCRATCH OUTPUT_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make_datafiles.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${GENERATOR} ${SCRATCH} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "datafile generator failed: ${result}")
endif()
file(MAKE_DIRECTORY ${OUTPUT_DIR})

function(pack name type ext)
  file(GLOB sources ${SCRATCH}/${name}/*.${ext})
  list(SORT sources)
  if(NOT sources)
    message(FATAL_ERROR "no ${ext} files for ${name}.dat")
  endif()
  set(packed ${SCRATCH}/${name}.dat)
  execute_process(
    COMMAND ${DAT} -a -t ${type} -bpp 24 -c2 -s1 -n1 ${packed} ${sources}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
  if(NOT result EQUAL 0 OR NOT EXISTS ${packed})
    message(FATAL_ERROR "dat failed on ${name}.dat: ${output}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy ${packed} ${OUTPUT_DIR}/${name}.dat
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot copy ${name}.dat to ${OUTPUT_DIR}")
  endif()
endfunction()

pack(menus BMP bmp)
pack(textures BMP bmp)
pack(sounds SAMP wav)
