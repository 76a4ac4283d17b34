# Installs the build into a scratch prefix and checks that the command
# line's manual page and bash completion arrive where man and bash look.
# Takes BUILD (the build tree) and PREFIX (a folder it may empty).
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
  RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()
foreach(pair "share/man/man1/semestra-cli.1=semestra-cli.1"
             "share/bash-completion/completions/semestra-cli=semestra-cli.bash")
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 installedFile)
  list(GET pair 1 builtFile)
  if(NOT EXISTS "${PREFIX}/${installedFile}")
    message(FATAL_ERROR "${installedFile} is not installed")
  endif()
  file(SHA256 "${PREFIX}/${installedFile}" installedHash)
  file(SHA256 "${BUILD}/src/cli/${builtFile}" builtHash)
  if(NOT installedHash STREQUAL builtHash)
    message(FATAL_ERROR "${installedFile} differs from the build's ${builtFile}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
