# SPDX-License-Identifier: GPL-3.0-or-later
# The installed layout and the Debian package (make package, through CPack).
#
#   /usr/lib/trefolia/trefolia          the game
#   /usr/lib/trefolia/Base -> ../../share/trefolia/zestawy/owoce
#                                       the content directory the game looks
#                                       for beside itself, reached by a link:
#                                       a game started without a choice plays
#                                       the fruit set
#   /usr/share/trefolia/zestawy/<name>/ the shipped sets, owoce and zwierzeta,
#                                       where `trefolia --set NAME` finds them
#                                       (the XDG data directories)
#   /usr/games/trefolia -> ../lib/trefolia/trefolia
#   /usr/bin/trefolia-content           the content tool
#   desktop entry (an action per shipped set), hicolor icons, AppStream
#   metainfo, manual pages, copyright, the teachers' guide to sets
#
# The game finds its directory through /proc/self/exe, that is with every
# link resolved, so started as /usr/games/trefolia it still looks beside
# /usr/lib/trefolia/trefolia. Both links stay relative, within /usr.

set(TREFOLIA_PROGRAM_DIR lib/trefolia)
set(TREFOLIA_SETS_DIR share/trefolia/zestawy)
set(TREFOLIA_DOC_DIR share/doc/trefolia)
set(TREFOLIA_METAINFO_ID io.github.trefolia.trefolia)
set(packaging_src ${CMAKE_CURRENT_LIST_DIR})
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_out})

# The links are made in the build tree and installed as links.
file(CREATE_LINK ../../${TREFOLIA_SETS_DIR}/owoce ${packaging_out}/Base SYMBOLIC)
file(CREATE_LINK ../lib/trefolia/trefolia ${packaging_out}/trefolia SYMBOLIC)

install(TARGETS trefolia RUNTIME DESTINATION ${TREFOLIA_PROGRAM_DIR})
# The installed programs resolve every symbol at start, so that the whole
# relocation table can be made read-only.
target_link_options(trefolia PRIVATE LINKER:-z,now)
target_link_options(trefolia-content PRIVATE LINKER:-z,now)
install(FILES ${packaging_out}/Base DESTINATION ${TREFOLIA_PROGRAM_DIR})
install(FILES ${packaging_out}/trefolia DESTINATION games)
install(TARGETS trefolia-content RUNTIME DESTINATION bin)
# The content files of each built set, and its plural word where it has one.
foreach(set owoce:Base zwierzeta:sets/zwierzeta)
  string(REPLACE ":" ";" set ${set})
  list(GET set 0 name)
  list(GET set 1 built)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/${built}/ DESTINATION ${TREFOLIA_SETS_DIR}/${name}
          FILES_MATCHING PATTERN "*.wv" PATTERN "*.bb" PATTERN "*.bt" PATTERN "*.tx" PATTERN "nazwa.txt")
endforeach()

install(FILES ${packaging_src}/trefolia.desktop DESTINATION share/applications)
install(FILES ${packaging_src}/${TREFOLIA_METAINFO_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${TREFOLIA_ICON_DIR}/${size}x${size}/trefolia.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/assets/icon.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME trefolia.svg)

# Debian wants manual pages and the package's changelog compressed, without
# a time stamp in the gzip header so that rebuilds give the same bytes. The
# package is made here, not from a separate Debian source, so it is a native
# one and its changelog is changelog.gz.
# The teachers' guide is plain text (Markdown), compressed as Debian wants
# every larger document under /usr/share/doc.
set(gzipped)
foreach(source ${packaging_src}/trefolia.6 ${packaging_src}/trefolia-content.1 ${packaging_src}/changelog
               ${CMAKE_SOURCE_DIR}/docs/zestawy.md)
  get_filename_component(name ${source} NAME)
  add_custom_command(
    OUTPUT ${packaging_out}/${name}.gz
    COMMAND gzip -9nc ${source} > ${packaging_out}/${name}.gz
    DEPENDS ${source}
    COMMENT "Compressing ${name}")
  list(APPEND gzipped ${packaging_out}/${name}.gz)
endforeach()
add_custom_target(trefolia_package_docs ALL DEPENDS ${gzipped})
install(FILES ${packaging_out}/trefolia.6.gz DESTINATION share/man/man6)
install(FILES ${packaging_out}/trefolia-content.1.gz DESTINATION share/man/man1)
install(FILES ${packaging_out}/changelog.gz ${packaging_out}/zestawy.md.gz ${packaging_src}/copyright
        DESTINATION ${TREFOLIA_DOC_DIR})
install(FILES ${packaging_src}/lintian-overrides DESTINATION share/lintian/overrides RENAME trefolia)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trefolia)
set(CPACK_PACKAGE_VENDOR "Trefolia")
set(CPACK_PACKAGE_CONTACT "Trefolia developers <trefolia@users.noreply.github.com>"
    CACHE STRING "The package's maintainer, as Debian writes it")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "educational puzzle game about fruits on shelves")
set(CPACK_PACKAGE_DESCRIPTION
    "A short Polish description says how three or four fruits lie next to
each other on a shelf; the pupil finds the one shelf, among six or twelve,
that matches it. The game has four levels, three ways of playing (removing
shelves, pointing at the right one, marking and removing) and either a
warm-up without a clock or timed rounds of 120 seconds.
.
The interface is in Polish. Two sets of items are shipped, fruits (the
default) and animals; the menu and trefolia --set choose between them. The
package also holds trefolia-content, the tool with which teachers build,
check, install and share sets of their own, and a guide to it in Polish.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time rather than linked: the fonts the window's text is set
# in, and Qt's Polish translation of its own buttons and messages. Rendering
# the pictures of a content set (trefolia-content build) needs the emoji font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-color-emoji")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
