# cmake -DSOURCE=<source folder> -DBUILD=<its Windows build> -DZIP=<that build's release zip>
#       -P CheckReproducible.cmake
# Builds the release a second time, from a copy of the source folder's files (changes not yet
# committed included) in a folder of another name and depth, and fails unless the executable and
# the zip come out byte for byte the same as the first build's. The second build is kept when they
# differ.
cmake_minimum_required(VERSION 3.20)
# Both zips take the time of the same commit; the copy has no history of its own.
include(${CMAKE_CURRENT_LIST_DIR}/ReleaseTime.cmake)
# The build's preset is the name of its folder.
get_filename_component(preset ${BUILD} NAME)
set(copy ${BUILD}/reproducible/second-source)
file(REMOVE_RECURSE ${copy})
execute_process(COMMAND python3 ${SOURCE}/tools/source_files.py OUTPUT_VARIABLE listing
                COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" listing "${listing}")
foreach(name IN LISTS listing)
  # A file deleted but not yet committed as such is left out.
  if(name AND EXISTS ${SOURCE}/${name})
    get_filename_component(dir ${copy}/${name} DIRECTORY)
    file(COPY ${SOURCE}/${name} DESTINATION ${dir})
  endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} --preset ${preset} -DKV_E2E=OFF WORKING_DIRECTORY ${copy}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# The executable is built as the first one was, without SOURCE_DATE_EPOCH; only the zip takes it.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${copy}/build/${preset} -j2 --target Kestrovane
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_time}
                        ${CMAKE_COMMAND} --build ${copy}/build/${preset} --target release
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

file(RELATIVE_PATH zip ${BUILD} ${ZIP})
set(differ "")
foreach(file Kestrovane.exe ${zip})
  file(SHA256 ${BUILD}/${file} first)
  file(SHA256 ${copy}/build/${preset}/${file} second)
  message(STATUS "${first}  ${file}")
  if(NOT first STREQUAL second)
    list(APPEND differ ${file})
  endif()
endforeach()
if(differ)
  list(JOIN differ ", " differ)
  message(FATAL_ERROR "the second build, in ${copy}, differs: ${differ}")
endif()
file(REMOVE_RECURSE ${BUILD}/reproducible)
message(STATUS "both builds are identical")
