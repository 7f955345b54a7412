# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop integration of the installed program: the menu entry, its icon, the
# file types of the input data files and the software centre's description.
install(FILES "${CMAKE_CURRENT_LIST_DIR}/termiva.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/images/termiva.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/termiva-mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME termiva.xml)
set(TERMIVA_METAINFO "${CMAKE_CURRENT_BINARY_DIR}/org.termiva.termiva.metainfo.xml")
configure_file("${CMAKE_CURRENT_LIST_DIR}/termiva.metainfo.xml.in" "${TERMIVA_METAINFO}" @ONLY)
install(FILES "${TERMIVA_METAINFO}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
