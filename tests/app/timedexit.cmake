# Starts the windows as run.sh does without a display and checks that --quit-after ends the
# program on time with exit 0, leaving the picture --screenshot asked for.
# Inputs: VOCATUNE (the program), SONGS (songs/), OUT (a scratch folder).

file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/config)
set(ENV{XDG_CONFIG_HOME} ${OUT}/config)
set(shot ${OUT}/shot.png)

execute_process(COMMAND ${VOCATUNE} --quit-after 1 --screenshot ${shot} ${SONGS}/twinkle-twinkle.kar
                RESULT_VARIABLE code ERROR_VARIABLE err TIMEOUT 60)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "--quit-after 1: exit ${code}, expected 0\n${err}")
endif()
file(SIZE ${shot} size)
if(size EQUAL 0)
    message(FATAL_ERROR "--screenshot left an empty file")
endif()

execute_process(COMMAND ${VOCATUNE} --screenshot ${shot} RESULT_VARIABLE code ERROR_VARIABLE err
                TIMEOUT 60)
if(NOT code EQUAL 1 OR NOT err MATCHES "give --quit-after too")
    message(FATAL_ERROR "--screenshot alone: exit ${code}, expected 1\n${err}")
endif()

execute_process(COMMAND ${VOCATUNE} --trace ${OUT}/no/such/folder/trace.jsonl --quit-after 0
                RESULT_VARIABLE code ERROR_VARIABLE err TIMEOUT 60)
if(NOT code EQUAL 1 OR NOT err MATCHES "trace file .* cannot be created")
    message(FATAL_ERROR "--trace into a missing folder: exit ${code}, expected 1\n${err}")
endif()
