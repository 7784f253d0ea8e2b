# SPDX-License-Identifier: GPL-3.0-or-later
# The window's artwork, compiled into the program's resources under
# :/assets/, and the icon theme's PNGs rendered from the window icon.
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
# (Only the Debian package has an icon theme; a cross build cannot run the
# renderer it builds.)
if(NOT CMAKE_CROSSCOMPILING)
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
endif()
