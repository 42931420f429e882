# What `cmake --install` puts under the prefix for the library's users: the
# library with its soname, its headers (in include/quelt), the dialog's view
# module (lib/quelt, installed by dialog-gtk/) and quelt.pc for pkg-config.
if(NOT TARGET quelt)
  return()
endif()

install(TARGETS quelt LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
set(quelt_api_headers quelt.h QueltExport.h QueltSetup.h QueltModules.h QueltSamples.h QueltDialog.h)
list(TRANSFORM quelt_api_headers PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/api/)
install(FILES ${quelt_api_headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quelt)

# quelt.pc names its folders relative to its own, so that the installed tree
# may be moved (or installed with --prefix) as a whole.
file(RELATIVE_PATH QUELT_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" QUELT_PC_TO_PREFIX "${QUELT_PC_TO_PREFIX}")
configure_file(quelt.pc.in ${CMAKE_CURRENT_BINARY_DIR}/quelt.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quelt.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
