# What `cmake --install` puts in place, in the layout of the freedesktop standards, and the
# Debian package that holds the same files (`cpack -G DEB`, or `make package`).
#
#   bin/quillmap, bin/quillmap-cli
#   lib/quillmap/quillmap-c-reader                   reads C with libclang for quillmap-cli
#   lib/quillmap/quillmap-page.so                    the editor's page engine (WebKitGTK)
#   share/applications/quillmap.desktop              desktop entry
#   share/metainfo/org.orrinwerk.Quillmap.metainfo.xml  AppStream
#   share/mime/packages/quillmap.xml                 the .dcm document type
#   share/icons/hicolor/{scalable,NxN}/apps/quillmap.{svg,png}
#   share/man/man1/quillmap.1.gz, quillmap-cli.1.gz
#
# Test programs, benchmarks, the screenshot driver and quillmap-make-sample are not installed.
include(GNUInstallDirs)

set(QUILLMAP_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
set(QUILLMAP_ICON_SIZES 16 22 24 32 48 64 128 256)
set(QUILLMAP_GENERATED_DATA)

# Manual pages: the version is filled in, and they are compressed as Debian ships them.
foreach(page quillmap-cli quillmap)
  if(page STREQUAL "quillmap" AND NOT QUILLMAP_UI)
    continue()
  endif()
  configure_file(${QUILLMAP_DATA_DIR}/man/${page}.1.in ${PROJECT_BINARY_DIR}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/man/${page}.1.gz
    COMMAND gzip -9 -n -k -f ${PROJECT_BINARY_DIR}/man/${page}.1
    DEPENDS ${PROJECT_BINARY_DIR}/man/${page}.1
    COMMENT "Compressing the manual page ${page}.1"
    VERBATIM)
  list(APPEND QUILLMAP_GENERATED_DATA ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
  install(FILES ${PROJECT_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

install(TARGETS quillmap-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# quillmap-cli looks for its C reader at ../lib/quillmap from its own folder: a fixed path, not
# the multiarch library folder, as for any program's private helpers.
if(QUILLMAP_HAVE_LIBCLANG)
  install(TARGETS quillmap-c-reader RUNTIME DESTINATION lib/quillmap)
endif()
install(FILES ${QUILLMAP_DATA_DIR}/quillmap-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quillmap.xml)

if(QUILLMAP_UI)
  install(TARGETS quillmap RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The editor loads its page engine from ../lib/quillmap when a page window first opens.
  install(TARGETS quillmap-page LIBRARY DESTINATION lib/quillmap)
  install(FILES ${QUILLMAP_DATA_DIR}/quillmap.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QUILLMAP_DATA_DIR}/org.orrinwerk.Quillmap.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The icon: the SVG itself, and PNGs rendered from it for desktops that want bitmaps.
  find_program(QUILLMAP_RSVG_CONVERT rsvg-convert)
  if(NOT QUILLMAP_RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert renders the application icon: install librsvg2-bin "
                        "(scripts/install-deps.sh)")
  endif()
  set(icon_svg ${QUILLMAP_DATA_DIR}/icons/quillmap.svg)
  install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size ${QUILLMAP_ICON_SIZES})
    set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/quillmap.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${QUILLMAP_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_svg}
      DEPENDS ${icon_svg}
      COMMENT "Rendering the application icon at ${size}x${size}"
      VERBATIM)
    list(APPEND QUILLMAP_GENERATED_DATA ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

add_custom_target(quillmap-data ALL DEPENDS ${QUILLMAP_GENERATED_DATA})

# ---- Debian package ----------------------------------------------------------------------------
set(QUILLMAP_PACKAGE_CONTACT "Quillmap maintainers <quillmap@orrinwerk.invalid>"
  CACHE STRING "Maintainer of the Debian package (name <address>)")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmap)
set(CPACK_PACKAGE_VENDOR Orrinwerk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUILLMAP_PACKAGE_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: the shared libraries that quillmap and quillmap-cli link, as dpkg-shlibdeps finds them
# (cmake/QuillmapDebDepends.cmake, run by cpack). CPack's own dpkg-shlibdeps run would take
# every program of the package, the C reader too, and so make LLVM a dependency: libclang is
# only recommended, for the commands that read C; clang's own headers (stddef.h, ...) come with
# the second package. The forms are laid out for IPA P Gothic.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
list(JOIN QUILLMAP_LIBCLANG_PACKAGES ", " libclang_recommends)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, ${libclang_recommends}")
set(QUILLMAP_DEPENDS_PROGRAMS $<TARGET_FILE:quillmap-cli>)
if(QUILLMAP_UI)
  # The page module's libraries (WebKitGTK) are the editor's as much as its own ones.
  list(APPEND QUILLMAP_DEPENDS_PROGRAMS $<TARGET_FILE:quillmap> $<TARGET_FILE:quillmap-page>)
endif()
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake CONTENT
  "set(QUILLMAP_DEPENDS_PROGRAMS \"${QUILLMAP_DEPENDS_PROGRAMS}\")
set(QUILLMAP_DEPENDS_WORK_DIR \"${PROJECT_BINARY_DIR}/deb-depends\")
include(\"${PROJECT_SOURCE_DIR}/cmake/QuillmapDebDepends.cmake\")
")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake)
# The first line is the synopsis; CPack indents the others and marks the empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "editor for documenting C functions and structures
Quillmap keeps, per .dcm document, an ordered list of C functions (heading,
attribute, arguments, return value, explanation, note, related functions and a
dated update history) and of structures (members, explanation, related items).
A function is added by typing its C prototype. A document is exported as one
HTML reference page, and one function's description can be copied to the
clipboard as a C comment block.

The interface is Japanese; every text is Shift-JIS (code page 932). The
package also holds quillmap-cli, which creates, inspects and exports documents
from the command line, and imports and checks C headers when libclang is
installed.")
include(CPack)
