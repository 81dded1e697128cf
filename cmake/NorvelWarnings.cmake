# Warnings are set per target so that nothing leaks into third-party code.
function(norvel_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${NORVEL_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${NORVEL_WERROR}>:-Werror>)
  endif()
endfunction()
