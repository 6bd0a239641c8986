# quillane_place_host_file(VARIABLE OUTPUT PATH_IN_NATIVE_BUILD)
# A cross build cannot run the build machine's tools that make some files of the program; it
# takes them from a native build instead: the cache variable VARIABLE names the file, which is
# copied to OUTPUT.
function(quillane_place_host_file variable output native_path)
  set(${variable} "" CACHE FILEPATH "${native_path} of a native build, for a cross build")
  if(NOT EXISTS "${${variable}}")
    message(FATAL_ERROR "A cross build needs -D${variable}=<native build>/${native_path}")
  endif()
  get_filename_component(name ${output} NAME)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${${variable}} ${output}
    DEPENDS ${${variable}}
    COMMENT "Placing the native build's ${name}")
endfunction()
