# Warnings that every target of our own code is built with.
function(quillmap_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
