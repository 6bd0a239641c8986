# Compiles the Win32 backend with MinGW-w64 as the Windows build does: every source under
# platform/win32 (globbed now, so new files are covered) and the portable sources it uses.
# Usage: cmake -DCOMPILER=<g++> -DPLATFORM_DIR=<platform> -DPORTABLE_SOURCES=<a;b>
#              -DOUTPUT_DIR=<dir> -P CompileWin32Backend.cmake
file(GLOB backend_sources ${PLATFORM_DIR}/win32/*.cpp)
file(MAKE_DIRECTORY ${OUTPUT_DIR})
set(failed "")
foreach(source IN LISTS backend_sources PORTABLE_SOURCES)
  get_filename_component(name ${source} NAME_WE)
  execute_process(
    COMMAND ${COMPILER} -std=c++20 -Wall -Wextra -Wpedantic -Wshadow -Werror
            -I${PLATFORM_DIR}/.. -c ${source} -o ${OUTPUT_DIR}/${name}.o
    RESULT_VARIABLE result
    ERROR_VARIABLE errors)
  if(result EQUAL 0)
    message(STATUS "compiled ${source}")
  else()
    message("${errors}")
    list(APPEND failed ${source})
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "MinGW-w64 could not compile: ${failed}")
endif()
