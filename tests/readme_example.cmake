# Runs the program the README's "A complete exchange in C" block built and
# compares what it prints with the output the README shows after it.
#   cmake -DPROGRAM=<exe> -DEXPECTED=<file> -DEMULATOR=<wine or empty> -P readme_example.cmake
file(READ ${EXPECTED} expected)
execute_process(COMMAND ${EMULATOR} ${PROGRAM} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
string(REPLACE "\r\n" "\n" out "${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the README's example exited with ${rc}:\n${out}${err}")
endif()
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "the README's example prints\n${out}\nthe README shows\n${expected}")
endif()
message(STATUS "the README's example prints what the README shows")
