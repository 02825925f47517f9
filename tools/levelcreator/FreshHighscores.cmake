# Writes a fresh Highscores.txt only where none exists: a player's scores are
# never overwritten by a build.  cmake -DTOOL=levelcreator -DOUT=file -P this
if(NOT EXISTS "${OUT}")
    execute_process(COMMAND "${TOOL}" highscores "${OUT}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot write ${OUT}")
    endif()
endif()
