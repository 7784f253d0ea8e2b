# Drawing: tiles of shelves and pictograms, the description view.
list(APPEND TREFOLIA_UI_SOURCES
  draw/description_view.cpp draw/description_view.h
  draw/tile_drawing_form.cpp
)
