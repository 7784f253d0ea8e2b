# SPDX-License-Identifier: GPL-3.0-or-later
# Puzzle generation: arrangement pool, phrases, description pieces and the deal's draws.
list(APPEND TREFOLIA_CORE_SOURCES
  puzzle/arrangements.cpp puzzle/arrangements.h
  puzzle/deal.cpp puzzle/deal.h
  puzzle/description_pieces.cpp puzzle/description_pieces.h
  puzzle/phrase_meaning.cpp puzzle/phrase_meaning.h
  puzzle/phrase_tables.cpp puzzle/phrase_tables.h
)
