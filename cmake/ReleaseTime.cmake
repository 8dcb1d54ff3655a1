# release_time: the time stamped on the release zip's entries, SOURCE_DATE_EPOCH when it is set,
# otherwise the time of the last commit of the source folder SOURCE, and in a source tree without
# git the first time a zip can hold (1 January 1980), so that every build still gives the same bytes.
set(release_time "$ENV{SOURCE_DATE_EPOCH}")
if(release_time STREQUAL "")
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${SOURCE}
                  OUTPUT_VARIABLE release_time OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR release_time STREQUAL "")
    set(release_time 315532800)
  endif()
endif()
