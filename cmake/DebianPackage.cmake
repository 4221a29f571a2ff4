# The Debian package quillwright_<version>_<arch>.deb (cmake --build build
# --target package): the command-line tool with its manual page, Quillo with
# its menu entry and icon, the plug-in library and the schemas. dpkg-shlibdeps
# finds the libraries it depends on. scripts/ci-deb builds, checks, installs
# and removes it.
include(GNUInstallDirs)

set(QW_DEB_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quillwright)
set(QW_DEB_MAINTAINER "Quillwright maintainers <maintainers@quillwright.example>")

# The manual page, made from the tool's --help and --version.
find_program(QW_HELP2MAN help2man)
find_program(QW_GZIP gzip)
if(QW_HELP2MAN AND QW_GZIP AND TARGET quillwright)
  set(qw_man ${CMAKE_BINARY_DIR}/man/quillwright.1)
  set(qw_h2m ${PROJECT_SOURCE_DIR}/packaging/debian/quillwright.h2m)
  add_custom_command(OUTPUT ${qw_man}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:quillwright> -DFIXED=${qw_h2m}
      -DOUT=${CMAKE_BINARY_DIR}/man/quillwright.h2m -P ${PROJECT_SOURCE_DIR}/cmake/ManPageCommands.cmake
    COMMAND ${QW_HELP2MAN} --no-info --section=1
      "--name=comment Object Pascal and Delphi sources"
      --include=${CMAKE_BINARY_DIR}/man/quillwright.h2m
      --output=${qw_man} $<TARGET_FILE:quillwright>
    COMMAND ${QW_GZIP} -9nf ${qw_man}
    DEPENDS quillwright ${qw_h2m} ${PROJECT_SOURCE_DIR}/cmake/ManPageCommands.cmake
    VERBATIM)
  add_custom_target(quillwright_man ALL DEPENDS ${qw_man}.gz)
  install(FILES ${qw_man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man or gzip not found: the package gets no manual page")
endif()

# What Debian asks of every package: the copyright and a changelog.
# Dated by the day (or SOURCE_DATE_EPOCH) and written only when it changes,
# so that configuring again rebuilds nothing.
string(TIMESTAMP qw_changelog_date "%a, %d %b %Y 00:00:00 +0000" UTC)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog CONTENT
  "quillwright (${PROJECT_VERSION}) unstable; urgency=medium\n\n  * Release ${PROJECT_VERSION}.\n\n -- ${QW_DEB_MAINTAINER}  ${qw_changelog_date}\n")
if(QW_GZIP)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND ${QW_GZIP} -9nkf ${CMAKE_BINARY_DIR}/packaging/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog VERBATIM)
  add_custom_target(quillwright_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${QW_DEB_DOCDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${QW_DEB_DOCDIR})
if(TARGET quillo AND QW_GZIP)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/quillo.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${QW_GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/debian/quillo.1 > ${CMAKE_BINARY_DIR}/man/quillo.1.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/quillo.1)
  add_custom_target(quillo_man ALL DEPENDS ${CMAKE_BINARY_DIR}/man/quillo.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/quillo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillwright)
set(CPACK_PACKAGE_VENDOR Varnstead)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QW_DEB_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "comment tool for Object Pascal and Delphi sources")
set(CPACK_PACKAGE_DESCRIPTION [=[
Quillwright puts a header comment above every routine of the implementation
part of Pascal units, expanded from a user-editable schema, and keeps it up to
date. It appends short comments behind begin and end of blocks, writes an
optional cross-reference, and strips comments again, keeping compiler
directives.

The package holds the command-line tool quillwright, the desktop program Quillo
and the IDE plug-in library QuillwrightExpert.]=])
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
