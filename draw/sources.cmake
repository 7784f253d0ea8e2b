# SPDX-License-Identifier: GPL-3.0-or-later
# Drawing: tiles of shelves and pictograms, the description view.
list(APPEND TREFOLIA_CORE_SOURCES
  draw/contrast.cpp draw/contrast.h
  draw/tile_drawing.cpp draw/tile_drawing.h
)
list(APPEND TREFOLIA_UI_SOURCES
  draw/description_view.cpp draw/description_view.h
)
