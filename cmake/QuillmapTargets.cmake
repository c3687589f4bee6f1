# Warnings that every target of our own code is built with. They stop the build only with
# QUILLMAP_WERROR on (our make targets and CI); a packager's plain build keeps going, since a
# newer compiler may warn about code that an older one took.
option(QUILLMAP_WERROR "Treat compiler warnings as errors" OFF)

function(quillmap_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(QUILLMAP_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
