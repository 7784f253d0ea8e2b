# The window's artwork, compiled into the program's resources under
# :/assets/, and the install rules for the game, its desktop entry and icons.
set(TREFOLIA_ARTWORK
  badge.svg banner.svg c_cancel.svg c_ok.svg c_select.svg
  delete_down.svg delete_up.svg footer.svg graph.svg help.svg icon.svg
  level_down.svg level_up.svg logo.svg
  mode_0_down.svg mode_0_up.svg mode_1_down.svg mode_1_up.svg mode_2_down.svg mode_2_up.svg
  rules.svg sound_down.svg sound_up.svg warm_play_down.svg warm_play_up.svg
)
list(TRANSFORM TREFOLIA_ARTWORK PREPEND ${CMAKE_CURRENT_LIST_DIR}/ OUTPUT_VARIABLE TREFOLIA_ARTWORK_FILES)
# With a static library Qt makes this an object library that every program
# linking trefolia_ui (the game, the tools, the tests) links in full.
qt_add_resources(trefolia_ui "assets"
  PREFIX "/assets"
  BASE ${CMAKE_CURRENT_LIST_DIR}
  FILES ${TREFOLIA_ARTWORK_FILES}
)

# The icon theme wants PNGs by size; they are rendered from the same SVG.
add_executable(trefolia_icon_export ${CMAKE_CURRENT_LIST_DIR}/icon_export.cpp)
target_link_libraries(trefolia_icon_export PRIVATE trefolia_ui)
set(TREFOLIA_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_custom_command(
  OUTPUT ${TREFOLIA_ICON_DIR}/256x256/trefolia.png
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:trefolia_icon_export> ${TREFOLIA_ICON_DIR}
  DEPENDS trefolia_icon_export ${CMAKE_CURRENT_LIST_DIR}/icon.svg
  COMMENT "Rendering the window icon for the icon theme"
  VERBATIM)
add_custom_target(trefolia_icons ALL DEPENDS ${TREFOLIA_ICON_DIR}/256x256/trefolia.png)

include(GNUInstallDirs)
# The game's target is made after this file is read, so its install rule
# is deferred to the end of the directory.
cmake_language(DEFER CALL install TARGETS trefolia RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/trefolia.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES ${TREFOLIA_ICON_DIR}/${size}x${size}/trefolia.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME trefolia.svg)
