# Desktop integration of the installed program: the menu entry and its icon.
install(FILES "${CMAKE_CURRENT_LIST_DIR}/termiva.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/images/termiva.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
