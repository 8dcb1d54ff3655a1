# release_time: the time stamped on the release zip's entries, SOURCE_DATE_EPOCH when it is set,
# otherwise the time of the last commit of the source folder SOURCE.
set(release_time "$ENV{SOURCE_DATE_EPOCH}")
if(release_time STREQUAL "")
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${SOURCE}
                  OUTPUT_VARIABLE release_time OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
endif()
