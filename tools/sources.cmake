# SPDX-License-Identifier: GPL-3.0-or-later
# The content tool's own pieces that its tests use too: the proof page,
# which deals from a set as the game would and so stands above the puzzle.
list(APPEND TREFOLIA_CORE_SOURCES
  tools/content_proof.cpp tools/content_proof.h
)
