# What `cmake --install` puts where (under the prefix, /usr/local unless
# --prefix says otherwise):
#
#   bin/korvane                          the game
#   share/korvane/                       its program directory: Pictures, Fonts,
#                                        Samples, MODs, Data
#   share/applications/ID.desktop        the desktop's menu entry
#   share/icons/hicolor/256x256/apps/ID.png
#   share/metainfo/ID.metainfo.xml       the software centre's description
#
# The installed game finds share/korvane from its own folder (src/app/folders.h)
# and writes the score table and saves in the player's data directory.
set(KORVANE_APP_ID org.korvane.Korvane)

install(TARGETS korvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The build's own Data/ may hold a table played into from the build tree; the
# shipped one comes from the sources.
install(DIRECTORY ${KORVANE_APP_DIR}/Pictures ${KORVANE_APP_DIR}/Fonts ${KORVANE_APP_DIR}/Samples ${KORVANE_APP_DIR}/MODs
        DESTINATION ${CMAKE_INSTALL_DATADIR}/korvane)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/Data DESTINATION ${CMAKE_INSTALL_DATADIR}/korvane)
install(FILES ${PROJECT_SOURCE_DIR}/assets/desktop/${KORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KORVANE_APP_DIR}/Pictures/Icon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME ${KORVANE_APP_ID}.png)
install(FILES ${PROJECT_SOURCE_DIR}/assets/desktop/${KORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
