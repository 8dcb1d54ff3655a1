# cmake -DEXE=<Kestrovane.exe> -DZIP=<zip> -DSOURCE=<source folder> -DPYTHON=<python3>
#       -P ReleaseZip.cmake
# Makes the release zip: the executable, the guide as plain text (Kestrovane-guide.txt, made by
# tools/guide-text) and the RararIzorevo template folder.
#
# The same commit gives the same bytes wherever it is built: the entries go in in sorted order, all
# with the same modes and the time of the last commit (or SOURCE_DATE_EPOCH when set), in UTC and
# without the extra fields that carry owners and local times.
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/ReleaseTime.cmake)
set(ENV{TZ} UTC)

get_filename_component(out ${ZIP} DIRECTORY)
set(stage ${out}/stage)
file(REMOVE_RECURSE ${stage})
file(REMOVE ${ZIP})
file(MAKE_DIRECTORY ${stage})
file(COPY ${EXE} ${SOURCE}/docs/package/RararIzorevo DESTINATION ${stage})
execute_process(COMMAND ${PYTHON} ${SOURCE}/tools/guide-text ${SOURCE}/docs/guide.md
                        ${stage}/Kestrovane-guide.txt COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD_RECURSE ${stage} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                           WORLD_READ WORLD_EXECUTE)
file(GLOB_RECURSE files RELATIVE ${stage} ${stage}/*)
list(SORT files)
execute_process(COMMAND touch -d @${release_time} ${files} WORKING_DIRECTORY ${stage}
                COMMAND_ERROR_IS_FATAL ANY)
list(JOIN files "\n" listing)
file(WRITE ${out}/entries.txt "${listing}\n")
execute_process(COMMAND zip -X -D -q ${ZIP} -@ INPUT_FILE ${out}/entries.txt
                WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${stage} ${out}/entries.txt)
message(STATUS "${ZIP}")
