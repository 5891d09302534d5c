# Runs the program's --dump mode as a user would and checks its exit codes and streams.
# Inputs: VOCATUNE (the program), DATA (tests/data).

function(expect_dump file expected_code stdout_regex stderr_regex)
    execute_process(COMMAND ${VOCATUNE} --dump ${file}
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "--dump ${file}: exit ${code}, expected ${expected_code}\n${err}")
    endif()
    if(NOT out MATCHES "${stdout_regex}")
        message(FATAL_ERROR "--dump ${file}: standard output does not match ${stdout_regex}:\n${out}")
    endif()
    if(NOT err MATCHES "${stderr_regex}")
        message(FATAL_ERROR "--dump ${file}: standard error does not match ${stderr_regex}:\n${err}")
    endif()
endfunction()

expect_dump(${DATA}/negra_sombra.kar 0 "^{\"division\":480,\"tempos\":\\[.*\"title\":.*}\n$" "^$")
expect_dump(${DATA}/twinkle.kar 1 "^$" "^No lyrics in .*TWINKLE.KAR.  It is not a valid KAR file.\n$")
expect_dump(${DATA}/smpte-division.kar 2 "^$" "^Error 6")
