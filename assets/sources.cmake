# The window's artwork, compiled into the program's resources.
