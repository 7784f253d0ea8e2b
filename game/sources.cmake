# SPDX-License-Identifier: GPL-3.0-or-later
# The game without its window: play state, moves and outcomes, clock,
# and the words of its messages.
list(APPEND TREFOLIA_CORE_SOURCES
  game/game_change.h
  game/game_model.cpp game/game_model.h
  game/ordinals.cpp game/ordinals.h
  game/outcome.h
  game/play_state.h
  game/time_format.cpp game/time_format.h
)
