# SPDX-License-Identifier: GPL-3.0-or-later
# Game play: levels, shelf interaction, outcomes and clock, shelf panels.
list(APPEND TREFOLIA_CORE_SOURCES
  play/ordinals.cpp play/ordinals.h
  play/time_format.cpp play/time_format.h
)
list(APPEND TREFOLIA_UI_SOURCES
  play/level_selection.cpp
  play/outcomes.cpp
  play/shelf_interaction.cpp
  play/shelf_panels.cpp
)
