# The embedding of the router's program: a TAB or a CR fails it, and notes for
# the maintainer never reach the header.
#   cmake -DEMBED=<cmake/EmbedRouterOs.cmake> -DWORK=<scratch folder> -P EmbedRouterOs.cmake
set(sources "${WORK}/embed-test")
file(REMOVE_RECURSE "${sources}")
function(embed text expected)
    file(WRITE "${sources}/a-b.rsc" "${text}")
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${sources} -DOUTPUT=${sources}/out.h -P ${EMBED}
        RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    set(embedded FALSE)
    if(result EQUAL 0)
        set(embedded TRUE)
    endif()
    if(NOT embedded STREQUAL expected)
        message(FATAL_ERROR "embedding '${text}' gave ${result}")
    endif()
endfunction()

string(ASCII 9 tab)
string(ASCII 13 cr)
embed("add name=a${tab}b\n" FALSE)
embed(":put 1${cr}\n" FALSE)
embed("## a note\n:put 1\n    ## an indented note\n#kept\n" TRUE)
file(READ "${sources}/out.h" header)
# ":put 1", LF, "#kept": the notes gone, and the file's last line end too.
string(FIND "${header}" "AB =\n    \"\"\n    \"\\x3a\\x70\\x75\\x74\\x20\\x31\\x0a\"\n    \"\\x23\\x6b\\x65\\x70\\x74\";" at)
if(at EQUAL -1 OR header MATCHES "\\\\x6e\\\\x6f\\\\x74\\\\x65")
    message(FATAL_ERROR "the notes reached the header, or the text is not there:\n${header}")
endif()
