# Run by cpack (CPACK_PROJECT_CONFIG_FILE): sets the Debian package's Depends from the shared
# libraries of QUILLMAP_DEPENDS_PROGRAMS alone, as dpkg-shlibdeps finds them. The C reader is
# left out on purpose: what it needs (libclang) is only recommended.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(QUILLMAP_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(NOT QUILLMAP_DPKG_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps makes the package's Depends: install dpkg-dev")
  endif()
  # dpkg-shlibdeps wants to run in a source package's folder.
  file(REMOVE_RECURSE ${QUILLMAP_DEPENDS_WORK_DIR})
  file(MAKE_DIRECTORY ${QUILLMAP_DEPENDS_WORK_DIR}/debian)
  file(TOUCH ${QUILLMAP_DEPENDS_WORK_DIR}/debian/control)
  set(arguments)
  foreach(program ${QUILLMAP_DEPENDS_PROGRAMS})
    list(APPEND arguments -e${program})
  endforeach()
  execute_process(COMMAND ${QUILLMAP_DPKG_SHLIBDEPS} -O ${arguments}
    WORKING_DIRECTORY ${QUILLMAP_DEPENDS_WORK_DIR}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT output MATCHES "shlibs:Depends=([^\n]*)")
    message(FATAL_ERROR "dpkg-shlibdeps failed on ${QUILLMAP_DEPENDS_PROGRAMS}: ${errors}")
  endif()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
endif()
