# Puzzle generation: arrangement pool, phrases, description, game set-up and deal.
list(APPEND TREFOLIA_UI_SOURCES
  puzzle/compose_description.cpp
  puzzle/game_setup.cpp
)
