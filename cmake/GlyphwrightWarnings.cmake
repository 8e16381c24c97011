# gw_set_warnings(<target>): the project's warning set, errors when GLYPHWRIGHT_WERROR is on.
function(gw_set_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
    -Wimplicit-fallthrough -Wmissing-declarations)
  if(GLYPHWRIGHT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
