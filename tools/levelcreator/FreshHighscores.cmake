# Writes a fresh Highscores.txt only where none exists: a player's scores are
# never overwritten by a build.  cmake -DTOOL=levelcreator -DOUT=file -P this
if(NOT EXISTS "${OUT}")
    # The data folder may not exist yet: this can run before the rules that fill it.
    get_filename_component(dir "${OUT}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    execute_process(COMMAND "${TOOL}" highscores "${OUT}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot write ${OUT}")
    endif()
endif()
