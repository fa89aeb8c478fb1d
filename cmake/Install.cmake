# Where an install puts things: the layout of the Debian package, under any prefix.
#
# The runtime libraries go to Debian's multiarch folder, which the loader searches under /usr and
# /usr/local alike, so the programs and the package module find them by soname with no RPATH.
# The package module is a plug-in, opened by path: it has a folder of its own, with the language
# modules that translate it beside it.
# The programs are built knowing this layout, so it is set here, not taken from the cache, where
# an earlier configure (or a find module) may have left GNUInstallDirs' own defaults.
set(DROWCAST_DEB_NAME drowcast)
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE})
endif()
set(CMAKE_INSTALL_DOCDIR share/doc/${DROWCAST_DEB_NAME})
include(GNUInstallDirs)
set(DROWCAST_INSTALL_PACKAGEDIR ${CMAKE_INSTALL_LIBDIR}/drowcast)

# The programs look for the package module and the documentation relative to their own folder,
# so an installed tree still works when it is moved.
file(RELATIVE_PATH DROWCAST_PACKAGEDIR_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${DROWCAST_INSTALL_PACKAGEDIR})
file(RELATIVE_PATH DROWCAST_DOCDIR_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DOCDIR})

# A shared library that programs link: versioned, so it is installed under its soname.
function(drowcast_runtime_library target)
  set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
endfunction()

# install(TARGETS) for a program, a library or a module, with no RPATH in the installed file.
# Installed plainly, a target's RPATH in the build tree gets an empty entry as room for rewriting
# it in place at install, and the loader takes an empty entry for the working folder (a libc.so.6
# there would be loaded). Built with $ORIGIN as its install RPATH, as the build tree has it, the
# file needs no rewrite; the install removes the RPATH instead.
function(drowcast_install target destination)
  set_target_properties(${target} PROPERTIES BUILD_WITH_INSTALL_RPATH ON INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${target} RUNTIME DESTINATION ${destination} LIBRARY DESTINATION ${destination} NAMELINK_SKIP)
  install(CODE "file(RPATH_REMOVE FILE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/$<TARGET_FILE_NAME:${target}>\")")
endfunction()
