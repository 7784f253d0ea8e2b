# SPDX-License-Identifier: GPL-3.0-or-later
# Application shell: start-up, window, displays, sound and presenter, splash.
list(APPEND TREFOLIA_CORE_SOURCES
  app/display_scale.cpp app/display_scale.h
  app/result_format.cpp app/result_format.h
)
list(APPEND TREFOLIA_UI_SOURCES
  app/accessibility.cpp app/accessibility.h
  app/announcements.cpp app/announcements.h
  app/action_guard.cpp app/action_guard.h
  app/artwork.cpp app/artwork.h
  app/command_line.cpp app/command_line.h
  app/controls.cpp app/controls.h
  app/cursors.cpp app/cursors.h
  app/desktop_probe.cpp app/desktop_probe.h
  app/dialogs.cpp app/dialogs.h
  app/exit_status.h
  app/focus_ring.cpp app/focus_ring.h
  app/form_create.cpp
  app/form_displays.cpp
  app/form_layout.cpp
  app/game_handlers.cpp
  app/game_view.cpp
  app/hints.cpp app/hints.h
  app/high_contrast.cpp app/high_contrast.h
  app/keyboard.cpp app/keyboard.h
  app/startup_messages.cpp app/startup_messages.h
  app/shelf_drawing.cpp
  app/sound_presenter.cpp
  app/splash.cpp app/splash.h
  app/t_form.h
  app/window_placement.cpp app/window_placement.h
)
