# The whole run from the native tree (cmake --workflow --preset all): its target "trees" configures
# and builds the other presets' trees, and with KV_ALL_TREES set (test preset all) their tests join
# this tree's, so that one CTest run holds every test and orders them by their fixtures.
set(trees fuzz windows windows32)
# Two trees at a time, each with its build preset's two jobs: a tree's links leave a core idle.
set_property(GLOBAL APPEND PROPERTY JOB_POOLS trees=2)
foreach(preset IN LISTS trees)
  add_custom_target(tree_${preset}
    COMMAND ${CMAKE_COMMAND} --preset ${preset}
    COMMAND ${CMAKE_COMMAND} --build --preset ${preset}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} JOB_POOL trees VERBATIM)
endforeach()
list(TRANSFORM trees PREPEND tree_ OUTPUT_VARIABLE targets)
add_custom_target(trees)
add_dependencies(trees ${targets})

file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/trees-tests.cmake @ONLY CONTENT [[
if("$ENV{KV_ALL_TREES}")
  foreach(preset @trees@)
    set(tree "@PROJECT_SOURCE_DIR@/build/${preset}")
    if(NOT EXISTS "${tree}/CTestTestfile.cmake")
      message(FATAL_ERROR "${tree} holds no tests: cmake --build --preset all")
    endif()
    subdirs("${tree}")
  endforeach()
endif()
]])
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES
             ${PROJECT_BINARY_DIR}/trees-tests.cmake)
