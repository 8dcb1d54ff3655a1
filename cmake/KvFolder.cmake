# kv_folder(<lib> <portable sources>... [MEMBERS <Win32 sources>...]): a folder of the tool.
# Its portable sources become the static library <lib>; the dialog's members beside them
# (SwitcherDlg*.cpp), and the Win32 code that only they call, go into Kestrovane.exe.
function(kv_folder lib)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "MEMBERS")
  add_library(${lib} STATIC ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${lib} PUBLIC framework)
  target_include_directories(${lib} PUBLIC ${PROJECT_SOURCE_DIR})
  if(WIN32)
    target_sources(Kestrovane PRIVATE ${arg_MEMBERS})
    target_link_libraries(Kestrovane PRIVATE ${lib})
  endif()
endfunction()
