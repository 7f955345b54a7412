# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, written by CPack (scripts/package): the files of the
# install rules under /usr, the package documentation, and the dependencies
# that dpkg-shlibdeps finds for the programs.
set(TERMIVA_MAINTAINER "TERMIVA developers <termiva@example.org>")

# /usr/share/doc/termiva: what Debian expects of every package, and the examples.
configure_file("${CMAKE_CURRENT_LIST_DIR}/changelog.in" "${PROJECT_BINARY_DIR}/packaging/changelog"
               @ONLY)
add_custom_command(
  OUTPUT "${PROJECT_BINARY_DIR}/packaging/changelog.gz"
  COMMAND "${CMAKE_COMMAND}" -D "INPUT=${PROJECT_BINARY_DIR}/packaging/changelog"
          -D "OUTPUT=${PROJECT_BINARY_DIR}/packaging/changelog.gz"
          -P "${CMAKE_CURRENT_LIST_DIR}/gzip_file.cmake"
  DEPENDS "${PROJECT_BINARY_DIR}/packaging/changelog" "${CMAKE_CURRENT_LIST_DIR}/gzip_file.cmake"
  COMMENT "Compressing the package changelog"
  VERBATIM)
add_custom_target(termiva_changelog ALL DEPENDS "${PROJECT_BINARY_DIR}/packaging/changelog.gz")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/copyright" "${PROJECT_BINARY_DIR}/packaging/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/examples/" DESTINATION "${CMAKE_INSTALL_DOCDIR}/examples")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME termiva)
set(CPACK_PACKAGE_VENDOR "TERMIVA developers")
set(CPACK_PACKAGE_CONTACT "${TERMIVA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines as the package shows them (Debian wants them shorter than 80 columns).
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "TERMIVA computes how much heat bare and insulated industrial equipment"
  "loses to the surrounding air: a horizontal pipe, a group of up to 13"
  "standard pipe lines with their valves and flanges, or a rectangular,"
  "horizontal cylindrical or vertical cylindrical vessel. It returns the loss"
  "of the bare equipment and under several candidate insulation thicknesses,"
  "with the outside surface temperature, and charts the loss of a pipe over"
  "19 standard diameters."
  ""
  "The package holds the desktop program termiva and termiva-calc, which"
  "computes saved input files from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # termiva_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TERMIVA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
