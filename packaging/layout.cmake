# Where the install rules put the program and the files it is supplied with (GNUInstallDirs),
# and the same places seen from the program's own folder: the program is built with those,
# so an installed tree finds its files wherever it is unpacked (a DESTDIR, a package's root).
set(QUENDAL_PLAYER_INSTALL_DIR "${CMAKE_INSTALL_BINDIR}" CACHE STRING
    "Where luaplayer is installed, relative to the prefix (bin, or lib/quendal)")
set(QUENDAL_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/quendal")
# Not CMAKE_INSTALL_DOCDIR: its default follows the project's name, "Quendal".
set(QUENDAL_INSTALL_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/quendal")

function(quendal_from_bin out dir)
  cmake_path(ABSOLUTE_PATH dir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE
             OUTPUT_VARIABLE full)
  file(RELATIVE_PATH relative "${CMAKE_INSTALL_FULL_BINDIR}" "${full}")
  set(${out} "${relative}" PARENT_SCOPE)
endfunction()

quendal_from_bin(QUENDAL_DATA_FROM_BIN "${QUENDAL_INSTALL_DATADIR}")
quendal_from_bin(QUENDAL_DOC_FROM_BIN "${QUENDAL_INSTALL_DOCDIR}")
quendal_from_bin(QUENDAL_PLAYER_FROM_BIN "${QUENDAL_PLAYER_INSTALL_DIR}/luaplayer")
