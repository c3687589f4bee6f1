# libclang's C API (Debian: libclang-dev), with which quillmap-c-reader reads C files for
# quillmap-cli's import and check. Found under llvm-config's prefix or a versioned Debian prefix
# (/usr/lib/llvm-N); the header and the library are taken from the same prefix. Without it the
# reader is not built, and the commands that read C say so when they are called.
#
# Sets QUILLMAP_HAVE_LIBCLANG, QUILLMAP_LIBCLANG_PACKAGES (the Debian packages that a user needs
# to read C: the library and clang's own headers such as stddef.h),
# QUILLMAP_LIBCLANG_HEADERS_PACKAGE (the second of them) and, when found, the target
# quillmap-libclang.
option(QUILLMAP_LIBCLANG "Build quillmap-cli's import and check when libclang is found" ON)
set(QUILLMAP_HAVE_LIBCLANG OFF)
set(QUILLMAP_LIBCLANG_PACKAGES libclang1 libclang-common-dev)

if(QUILLMAP_LIBCLANG AND NOT (QUILLMAP_CLANG_INCLUDE_DIR AND QUILLMAP_CLANG_LIBRARY))
  set(prefixes)
  find_program(QUILLMAP_LLVM_CONFIG NAMES llvm-config)
  if(QUILLMAP_LLVM_CONFIG)
    execute_process(COMMAND ${QUILLMAP_LLVM_CONFIG} --prefix OUTPUT_VARIABLE prefix
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    list(APPEND prefixes ${prefix})
  endif()
  foreach(version RANGE 20 11 -1)
    list(APPEND prefixes /usr/lib/llvm-${version})
  endforeach()
  list(APPEND prefixes /usr /usr/local)
  foreach(prefix ${prefixes})
    file(GLOB libraries ${prefix}/lib/libclang.so ${prefix}/lib/*/libclang.so)
    if(EXISTS ${prefix}/include/clang-c/Index.h AND libraries)
      list(GET libraries 0 library)
      set(QUILLMAP_CLANG_INCLUDE_DIR ${prefix}/include CACHE PATH "Folder that holds clang-c/Index.h")
      set(QUILLMAP_CLANG_LIBRARY ${library} CACHE FILEPATH "libclang.so")
      break()
    endif()
  endforeach()
endif()

if(QUILLMAP_LIBCLANG AND QUILLMAP_CLANG_INCLUDE_DIR AND QUILLMAP_CLANG_LIBRARY)
  add_library(quillmap-libclang INTERFACE)
  target_include_directories(quillmap-libclang SYSTEM INTERFACE ${QUILLMAP_CLANG_INCLUDE_DIR})
  target_link_libraries(quillmap-libclang INTERFACE ${QUILLMAP_CLANG_LIBRARY})
  set(QUILLMAP_HAVE_LIBCLANG ON)
  # The packages follow LLVM's major version: /usr/lib/llvm-14 -> libclang1-14.
  if(QUILLMAP_CLANG_LIBRARY MATCHES "llvm-([0-9]+)/")
    set(QUILLMAP_LIBCLANG_PACKAGES "libclang1-${CMAKE_MATCH_1}" "libclang-common-${CMAKE_MATCH_1}-dev")
  endif()
  message(STATUS "libclang: ${QUILLMAP_CLANG_LIBRARY} (quillmap-cli import and check)")
elseif(QUILLMAP_LIBCLANG)
  message(WARNING "libclang not found (Debian: libclang-dev): quillmap-cli is built without "
    "import and check")
else()
  message(STATUS "QUILLMAP_LIBCLANG is OFF: quillmap-cli is built without import and check")
endif()
list(GET QUILLMAP_LIBCLANG_PACKAGES 1 QUILLMAP_LIBCLANG_HEADERS_PACKAGE)
