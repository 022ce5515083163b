# Runs one scenario script in a fresh copy of the game directory.
# Beside SCRIPT (NAME.play) may stand NAME.config (the settings file to start
# with), NAME.config-after (what it must hold afterwards), NAME.log (the
# lines the start-up log must hold after its header), NAME.boxes (every
# message box the run shows, one "messagebox: CAPTION: TEXT" a line),
# NAME.setup.cmake (run in the copy before the game starts, to damage or take
# away a file) and NAME.check.cmake (further checks of the copy afterwards).
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${GAME}/ DESTINATION ${WORK})
# Settings and scores left in the game directory by someone playing it never leak in.
file(REMOVE ${WORK}/data/config.dat)
file(REMOVE ${WORK}/SCORES.VXR)
if(EXISTS ${dir}/${name}.scores)
  configure_file(${dir}/${name}.scores ${WORK}/SCORES.VXR COPYONLY)
endif()
if(EXISTS ${dir}/${name}.config)
  configure_file(${dir}/${name}.config ${WORK}/data/config.dat COPYONLY)
endif()

if(EXISTS ${dir}/${name}.setup.cmake)
  include(${dir}/${name}.setup.cmake)
endif()

execute_process(COMMAND ${PLAY} --dir ${WORK} ${SCRIPT} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status
  ERROR_VARIABLE errors)
message("${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vexorin-play exited with ${status}")
endif()

if(EXISTS ${dir}/${name}.boxes)
  string(REGEX MATCHALL "messagebox: [^\n]*\n" boxes "${errors}")
  string(REPLACE ";" "" boxes "${boxes}")
  file(READ ${dir}/${name}.boxes expected)
  if(NOT boxes STREQUAL expected)
    message(FATAL_ERROR "The message boxes differ.\nExpected:\n${expected}\nShown:\n${boxes}")
  endif()
endif()

if(EXISTS ${dir}/${name}.log)
  file(READ ${WORK}/applog.txt log)
  if(NOT log MATCHES "^vexorin Log\nLog Created: [0-2][0-9]:[0-5][0-9] (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [0-3][0-9], [0-9]+\n\n\n")
    message(FATAL_ERROR "applog.txt has a wrong header:\n${log}")
  endif()
  string(REGEX REPLACE "^[^\n]*\n[^\n]*\n\n\n" "" body "${log}")
  file(READ ${dir}/${name}.log expected)
  string(STRIP "${expected}" expected)
  if(NOT body STREQUAL expected)
    message(FATAL_ERROR "applog.txt lines differ.\nExpected:\n${expected}\nFound:\n${body}")
  endif()
endif()

if(EXISTS ${dir}/${name}.config-after)
  file(READ ${WORK}/data/config.dat found)
  file(READ ${dir}/${name}.config-after expected)
  if(NOT found STREQUAL expected)
    message(FATAL_ERROR "data/config.dat holds:\n${found}\ninstead of:\n${expected}")
  endif()
endif()

if(EXISTS ${dir}/${name}.scores-after)
  execute_process(COMMAND ${ASSETS} scores show ${WORK}/SCORES.VXR
    OUTPUT_VARIABLE found ERROR_VARIABLE problem RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "SCORES.VXR cannot be shown (${status}): ${problem}")
  endif()
  file(READ ${dir}/${name}.scores-after expected)
  if(NOT found STREQUAL expected)
    message(FATAL_ERROR "SCORES.VXR holds:\n${found}\ninstead of:\n${expected}")
  endif()
endif()

if(EXISTS ${dir}/${name}.check.cmake)
  include(${dir}/${name}.check.cmake)
endif()
