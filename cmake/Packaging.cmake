# Install layout and the Debian package. Everything goes below the install prefix with the
# GNUInstallDirs names, so `cmake --install --prefix DIR` and the .deb (prefix /usr) hold
# the same tree:
#   bin/quorvel, bin/quorvel-calc
#   share/applications/<id>.desktop
#   share/icons/hicolor/<n>x<n>/apps/<id>.png   (n = 16, 32, 48)
#   share/metainfo/<id>.metainfo.xml

foreach(program IN ITEMS quorvel quorvel-calc quorvel_calc)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(QUORVEL_GUI)
  set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
  set(QUORVEL_DESKTOP_FILE ${packaging_dir}/${QUORVEL_APP_ID}.desktop)
  set(QUORVEL_METAINFO_FILE ${PROJECT_BINARY_DIR}/packaging/${QUORVEL_APP_ID}.metainfo.xml)

  configure_file(${packaging_dir}/${QUORVEL_APP_ID}.metainfo.xml.in ${QUORVEL_METAINFO_FILE}
                 @ONLY)
  install(FILES ${QUORVEL_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QUORVEL_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The launcher icons are the window's own DEFAULT_ICON images, converted at build time, so
  # there is one drawing of the icon. Until those images exist the icons are left out, and
  # the install tests say so.
  set(icon_pngs)
  foreach(size IN ITEMS 16 32 48)
    set(xpm ${PROJECT_SOURCE_DIR}/src/app/icons/default_icon_${size}.xpm)
    set(png_dir ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size})
    set(png ${png_dir}/${QUORVEL_APP_ID}.png)
    if(NOT EXISTS ${xpm})
      message(STATUS "Packaging: ${xpm} not found, the ${size}x${size} icon is left out")
      continue()
    endif()
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${png_dir}
      COMMAND quorvel_icon_export ${xpm} ${png} ${size}
      DEPENDS quorvel_icon_export ${xpm}
      COMMENT "Exporting the ${size}x${size} launcher icon"
      VERBATIM)
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(quorvel_icons ALL DEPENDS ${icon_pngs})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel developers")
set(CPACK_PACKAGE_CONTACT "Quorvel developers <maintainers@quorvel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel adds, subtracts, multiplies or divides two numbers typed into its window and \
shows the result with up to 13 significant digits. quorvel-calc does the same conversions \
and calculations on the command line.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The shared-library dependencies (Qt, the C++ run-time, libc) come from dpkg-shlibdeps, so
# they follow whatever the binaries really link. A CJK font and the Wayland platform plugin
# are not linked libraries; they are recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-wayland")
include(CPack)
