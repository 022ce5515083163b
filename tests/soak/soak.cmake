# A bot plays LEVELS levels on HARD in a fresh copy of the game directory: the
# right colour whenever it is lit, a few wrong ones for the purify rounds, a
# pause and a quit prompt answered N. With MAX_GROWTH_KB, the resident memory
# and the heap in use after the last level must each be within that of their
# figures after level 3.
set(levels ${LEVELS})
# Frames of 200 ms: nearly all of a frame's time goes to drawing it in
# software. The bot still sees every piece lit: a highlight rises in at least
# one frame and falls in the next, however short the level makes it.
# The random highlight lands on a given spoke one step in twenty, so the wait
# for the last piece of a colour has a long tail: one such wait in fifty
# outlasts 75 steps (30 s at level 14). Five minutes of game time make a
# failure that is only bad luck a practical impossibility.
set(wait "within 300000")
set(pick "until current_type == next and picker == running and game == play ${wait}\nkey SPACE\nframe 4\nkey SPACE\n")
set(miss "until current_type >= 1 and current_type <= 4 and current_type != next and picker == running and game == play ${wait}\nkey SPACE\nframe 8\nkey SPACE\n")
set(script "seed 5\nstep 200\nuntil screen == intro_cube within 3000\nkey ESCAPE\nframe\nmove 60 110\nclick\nuntil screen == skill_level within 2000\nkey DOWN\nframe\nexpect skill == 2\nkey ENTER\nuntil game == play within 5000\n")
foreach(level RANGE 1 ${levels})
  set(wrong 0)
  if(level EQUAL 2 OR level EQUAL 11 OR level EQUAL 20)
    set(wrong 2)
  endif()
  if(level EQUAL 4)
    string(APPEND script "until picker == running and game == play within 5000\nkey P\nframe 10\nexpect game == paused\nkey P\nframe\n")
  endif()
  if(level EQUAL 6)
    string(APPEND script "until picker == running and game == play within 5000\nkey ESCAPE\nframe 5\nexpect game == quit_prompt\nkey N\nframe\nexpect game == play\n")
  endif()
  # Twenty pieces fill a strand; each wrong one is purified in a round of its own after it.
  string(REPEAT "${miss}" ${wrong} misses)
  string(REPEAT "${pick}" 20 picks)
  string(APPEND script "${misses}${picks}")
  math(EXPR next "${level} + 1")
  string(APPEND script "until level == ${next} and game == play within 30000\nexpect mutations == 0\n")
  if(level EQUAL 3 OR level EQUAL ${levels})
    string(APPEND script "print\n")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${GAME}/ DESTINATION ${WORK})
file(REMOVE ${WORK}/SCORES.VXR)
file(WRITE ${WORK}/data/config.dat "1\n640\n480\n32")
file(WRITE ${WORK}/soak.play "${script}")
execute_process(COMMAND ${PLAY} --dir ${WORK} ${WORK}/soak.play WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status
  OUTPUT_VARIABLE printed ERROR_VARIABLE errors)
message("${printed}${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vexorin-play exited with ${status}")
endif()
# The growth of one figure of the state line between level 3 and the last.
function(check_growth figure what)
  string(REGEX MATCHALL "${figure}=[0-9]+" values "${printed}")
  list(LENGTH values count)
  if(NOT count EQUAL 2)
    message(FATAL_ERROR "expected the ${what} after levels 3 and ${levels}, found: ${values}")
  endif()
  list(GET values 0 early)
  list(GET values 1 late)
  string(REPLACE "${figure}=" "" early ${early})
  string(REPLACE "${figure}=" "" late ${late})
  math(EXPR growth "${late} - ${early}")
  message("${what} after level 3: ${early} kB, after level ${levels}: ${late} kB (${growth} kB more)")
  if(DEFINED MAX_GROWTH_KB AND growth GREATER MAX_GROWTH_KB)
    message(FATAL_ERROR "the ${what} grew by ${growth} kB between levels 3 and ${levels}")
  endif()
endfunction()
check_growth(rss_kb "resident memory")
check_growth(heap_kb "memory in use on the heap")
