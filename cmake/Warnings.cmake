# Every target of ours builds warning-free with these; CI turns them into errors.
option(SEMESTRA_WERROR "Treat compiler warnings as errors" OFF)

function(semestra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
    $<IF:$<CXX_COMPILER_ID:GNU>,-Wshadow=local,-Wshadow-uncaptured-local>)
  if(SEMESTRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
