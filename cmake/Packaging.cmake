# The Debian package: the program in /usr/bin as "lumivaret", its desktop
# entry, icons, AppStream metadata, manual page and documents, built by CPack's
# DEB generator from the same build tree as the tests.
include(GNUInstallDirs)

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${generated})

configure_file(${packaging}/ro.lumivaret.Lumivaret.metainfo.xml.in
               ${generated}/ro.lumivaret.Lumivaret.metainfo.xml @ONLY)

# Manual pages and the changelog are installed compressed, reproducibly (-n: no name or time).
foreach(file lumivaret.1 changelog)
  add_custom_command(OUTPUT ${generated}/${file}.gz
    COMMAND gzip -9n -c ${packaging}/${file} > ${generated}/${file}.gz
    DEPENDS ${packaging}/${file} VERBATIM)
  list(APPEND compressed ${generated}/${file}.gz)
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${compressed})

install(PROGRAMS $<TARGET_FILE:Lumivaret> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME lumivaret)
# Installed under another name than the target's, so stripped here: the
# debugging information stays in the build tree.
install(CODE "execute_process(COMMAND strip --strip-unneeded --remove-section=.comment --remove-section=.note
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lumivaret\"
                              COMMAND_ERROR_IS_FATAL ANY)")
install(FILES ${packaging}/ro.lumivaret.Lumivaret.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/ro.lumivaret.Lumivaret.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/icons/lumivaret.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${packaging}/icons/lumivaret-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME lumivaret.png)
endforeach()
install(FILES ${generated}/lumivaret.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumivaret)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivaret)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Lumivaret)
set(CPACK_PACKAGE_CONTACT "Lumivaret <contact@lumivaret.ro>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "contabilitatea si registrele unei parohii ortodoxe")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Lumivaret tine cartile si registrele unei parohii ortodoxe, in limba romana:
chitante, dispozitii de plata, depuneri si ridicari din banca, state de plata,
vanzarea lumanarilor, nomenclatoarele si evidenta enoriasilor cu familiile si
tainele lor. Tipareste registrele de casa si de banca, fisele, bilantul,
ordinele de plata si registrele tainelor; inchide anul si salveaza datele.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://lumivaret.ro)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The libraries the program links, computed from the binary.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What only a run finds, loaded by Qt or asked by name:
#  libqt6sql6-sqlite: Qt's SQLite driver plugin, through which every table is read;
#  fonts-liberation2: Liberation Sans, which answers the reports' "Arial" with Arial's metrics;
#  libqt6sql6-psql: Qt's PostgreSQL driver plugin, for an installation whose data are on a server.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-liberation2, libqt6sql6-psql")
include(CPack)
