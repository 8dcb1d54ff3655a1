# cmake -DEXE=<file> -DMAP=<its link map> -P CheckNoTestSeam.cmake
# Fails when the tool carries anything of the tests: an object from tests/, or a name of the test
# side of the file back end (namespace afx_test, the file hook), in its link map or its bytes.
# The tests reach the framework's files through tests/support; the tool calls the system's.
cmake_minimum_required(VERSION 3.20)
if(NOT EXISTS ${MAP})
  message(FATAL_ERROR "no link map ${MAP}")
endif()
set(seam "afx_test|FileOpHook|tests[/\\\\]")
file(STRINGS ${MAP} mapped REGEX "${seam}")
file(STRINGS ${EXE} carried REGEX "${seam}")
foreach(line IN LISTS mapped carried)
  message(SEND_ERROR "test seam in ${EXE}: ${line}")
endforeach()
file(SIZE ${MAP} size)
message(STATUS "${MAP}: ${size} bytes, no test seam")
