# Opt-in sanitizers: cmake -DQUILLANE_SANITIZE=address;undefined
set(QUILLANE_SANITIZE "" CACHE STRING "Sanitizers to build with (address, undefined)")
if(QUILLANE_SANITIZE)
  list(JOIN QUILLANE_SANITIZE "," _sanitizers)
  add_compile_options(-fsanitize=${_sanitizers} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${_sanitizers})
endif()
