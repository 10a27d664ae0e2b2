# Install layout: the programs in bin/, the client's pages and data in share/vellomar/, the
# launcher entry, AppStream metadata, icons and man page where the desktop looks for them.
#   cmake --install build --prefix P      (make install PREFIX=P)
include(GNUInstallDirs)

set(VELLOMAR_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/vellomar)
set(VELLOMAR_APP_ID org.vellomar.Chat)
set(desktop_files ${CMAKE_SOURCE_DIR}/resources/desktop)

# The installed client finds its pages from its own folder, wherever the prefix is.
file(RELATIVE_PATH pages_from_binary /root/${CMAKE_INSTALL_BINDIR} /root/${VELLOMAR_INSTALL_DATADIR})
target_compile_definitions(vellomar_app PRIVATE VELLOMAR_PAGES_FROM_BINARY="${pages_from_binary}")

install(TARGETS vellomar vellomar-demo skinpack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB page_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/pages/*)
install(FILES ${page_files} DESTINATION ${VELLOMAR_INSTALL_DATADIR})
# Our skin as a package of its own: for --skin, and for skin authors to take apart.
install(FILES ${VELLOMAR_STORED_SKIN} DESTINATION ${VELLOMAR_INSTALL_DATADIR}/skins)
# Offered, not installed: copied into ~/.config/autostart/ it starts the client in the tray.
install(FILES ${desktop_files}/${VELLOMAR_APP_ID}.autostart.desktop
        DESTINATION ${VELLOMAR_INSTALL_DATADIR}/autostart RENAME ${VELLOMAR_APP_ID}.desktop)

install(FILES ${desktop_files}/${VELLOMAR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_files}/${VELLOMAR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The sizes of our icon that the hicolor theme has folders for.
foreach(size 16 24 32 48 64 72 96 128 192 256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/images/icon/vellomar-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${VELLOMAR_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${desktop_files}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The man page, made from the client's own --help at build time.
find_program(HELP2MAN help2man REQUIRED)
set(man_page ${CMAKE_BINARY_DIR}/man/vellomar.1)
add_custom_command(OUTPUT ${man_page}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  # A sanitizer build's client ends --help with exit(), leaving its objects to the system,
  # which the leak checker would report.
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          ${HELP2MAN} --no-info --section 1 --name "desktop client of the Vellomar chat service"
          --include ${desktop_files}/vellomar.h2m --output ${man_page} $<TARGET_FILE:vellomar>
  DEPENDS vellomar ${desktop_files}/vellomar.h2m
  COMMENT "Writing the man page from vellomar --help"
  VERBATIM)
add_custom_target(man_page ALL DEPENDS ${man_page})
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
