# Content store: picture archive, PNG decoding, item lists.
list(APPEND TREFOLIA_CORE_SOURCES
  content/game_error.h
  content/core_placeholder.cpp
)
