# The Debian package: `cpack -G DEB` in the build folder writes penumbro_VERSION_amd64.deb.
# Runtime dependencies come from dpkg-shlibdeps; the Qt platform plugins are loaded at
# run time, so no library link names them.
include(GNUInstallDirs)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME penumbro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Penumbro developers")
set(CPACK_PACKAGE_CONTACT "The Penumbro developers <penumbro@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shading of solar collectors, windows and roofs by their surroundings")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
if(PENUMBRO_PYTHON_BUILD)
  # The module is built for this interpreter's minor version and imports numpy.
  math(EXPR python_next_minor "${Python3_VERSION_MINOR} + 1")
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
         ", python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}~)"
         ", python3 (<< ${Python3_VERSION_MAJOR}.${python_next_minor}), python3-numpy")
endif()
# CPack puts the summary line first and indents this text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Penumbro computes how much of the sun's radiation on a building surface is
blocked by what stands in front of it: walls, houses, trees whose foliage
changes by month, overhangs and the horizon. A scene editor builds the
project, an online view steps through the year, and a fast run writes the
shading of every instant and hourly means per month for building-simulation
tools. The package holds the desktop program, the command-line tool
penumbro-cli, the bilingual manual and example projects.")
# Every installed folder and file readable by all, whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The documents every Debian package carries: copyright and a compressed changelog.
set(debian_doc ${CMAKE_INSTALL_DATADIR}/doc/penumbro)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
find_program(GZIP_PROGRAM gzip)
if(GZIP_PROGRAM)
  execute_process(COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/packaging/changelog)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${debian_doc})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${debian_doc})
foreach(page penumbro.1 penumbro-cli.1)
  if(GZIP_PROGRAM)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/${page} ${CMAKE_BINARY_DIR}/packaging/${page} @ONLY)
    execute_process(COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/packaging/${page})
    install(FILES ${CMAKE_BINARY_DIR}/packaging/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()

include(CPack)
