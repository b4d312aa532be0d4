# Starts the program and expects it still running two seconds later.
execute_process(COMMAND "${PROGRAM}" TIMEOUT 2 RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result MATCHES "timeout")
    message(FATAL_ERROR "qostrel ended early (${result}):\n${out}${err}")
endif()
