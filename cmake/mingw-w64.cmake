# Cross build for Windows with Debian's MinGW-w64, posix threads variant (GoogleTest needs
# std::mutex; the tool links another runtime, below); -static keeps the runtime inside each
# executable. Included by the toolchain files of the two targets after they set
# CMAKE_SYSTEM_PROCESSOR (x86_64 or i686).
set(CMAKE_SYSTEM_NAME Windows)
set(triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained executable: no libstdc++/libgcc/winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# No symbol table in the shipped executable: smaller to load and to download.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# The tool itself runs one thread and links the C++ runtime of the win32 threads variant, which
# needs no winpthread: winpthread's timed waits import GetTickCount64, which Windows XP lacks.
execute_process(COMMAND ${triplet}-gcc-win32 -print-libgcc-file-name
                OUTPUT_VARIABLE win32_threads_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(KV_ONE_THREAD_RUNTIME "${win32_threads_libgcc}" DIRECTORY)
