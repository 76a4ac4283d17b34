# Every target of ours builds warning-free with these; CI turns them into errors.
option(SEMESTRA_WERROR "Treat compiler warnings as errors" OFF)

function(semestra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor)
  if(SEMESTRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
