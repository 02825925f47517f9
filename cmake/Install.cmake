# Installs like other Linux games: the programs, the data under share/, a
# desktop entry, hicolor icons, AppStream metadata and a man page. Nothing
# installed names the prefix: the game finds its data beside itself, so a tree
# unpacked or moved anywhere still plays. `cpack -G DEB` packs the same files.
include(GNUInstallDirs)

set(KT_APP_ID org.kolvemartrovix.KolvemarTrovix)
set(KT_LICENSE "LicenseRef-proprietary" CACHE STRING "SPDX licence of the game")
set(KT_HOMEPAGE "https://kolvemar-trovix.example.org" CACHE STRING "The game's home page")
set(KT_SCREENSHOTS "${KT_HOMEPAGE}/docs" CACHE STRING "Where the docs/ screenshots are published")
set(KT_MAINTAINER "Kolvemar-Trovix developers <kolvemar-trovix@example.org>"
    CACHE STRING "The Debian package's maintainer")

# The desktop icon, drawn by the asset generator in the hicolor sizes.
set(KT_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
set(KT_ICONS)
foreach(size 48 64 128 256)
    list(APPEND KT_ICONS ${KT_ICON_DIR}/${size}x${size}/apps/${KT_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${KT_ICONS}
    COMMAND assetgen --icons ${KT_ICON_DIR} ${KT_APP_ID}
    DEPENDS assetgen
    COMMENT "Drawing the desktop icons"
    VERBATIM)
add_custom_target(icons ALL DEPENDS ${KT_ICONS})

set(KT_DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop)
configure_file(data/desktop/kolvemar-trovix.desktop.in
    ${KT_DESKTOP_DIR}/${KT_APP_ID}.desktop @ONLY)
configure_file(data/desktop/metainfo.xml.in ${KT_DESKTOP_DIR}/${KT_APP_ID}.metainfo.xml @ONLY)

install(TARGETS kolvemar-trovix levelcreator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The build's data folder, without anything a player may have left there.
install(DIRECTORY ${KT_GAME_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kolvemar-trovix
    PATTERN "Highscores.txt*" EXCLUDE
    PATTERN "save*.txt*" EXCLUDE
    PATTERN "*.stamp" EXCLUDE)
install(FILES ${KT_DESKTOP_DIR}/${KT_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KT_DESKTOP_DIR}/${KT_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${KT_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${KT_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kolvemar-trovix)
set(CPACK_PACKAGE_VENDOR "The Kolvemar-Trovix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down arena shooter with a robot")
set(CPACK_PACKAGE_DESCRIPTION
    "Steer a robot through walled arenas, fire at the mouse, collect armour and life
pick-ups, and leave each level through the exit door once every monster is dead.
Twelve levels, three tutorials, save slots with an autosave and a high-score table.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KT_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KT_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The lettering is drawn with the DejaVu fonts, which no library dependency brings.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
include(CPack)
