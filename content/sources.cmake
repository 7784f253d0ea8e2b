# SPDX-License-Identifier: GPL-3.0-or-later
# Content store: picture archive, PNG decoding, item lists, and the writers
# and checks the content tool and the tests share.
list(APPEND TREFOLIA_CORE_SOURCES
  content/archive_writer.cpp content/archive_writer.h
  content/content_build.cpp content/content_build.h
  content/content_check.cpp content/content_check.h
  content/console.cpp content/console.h
  content/content_install.cpp content/content_install.h
  content/game_error.h
  content/io_error.cpp content/io_error.h
  content/item_list.cpp content/item_list.h
  content/little_endian.h
  content/picture_archive.cpp content/picture_archive.h
  content/picture_fit.cpp content/picture_fit.h
  content/plural_word.cpp content/plural_word.h
  content/png_decode.cpp content/png_decode.h
  content/set_archive.cpp content/set_archive.h
  content/set_folder.cpp content/set_folder.h
  content/set_locations.cpp content/set_locations.h
  content/set_text.cpp content/set_text.h
  content/sound_cues.cpp content/sound_cues.h
  content/wav_writer.cpp content/wav_writer.h
  content/windows1250.cpp content/windows1250.h
)
