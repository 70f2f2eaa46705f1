# What makes Keepgate an installed desktop application: its resources, menu entry, icons, AppStream
# description, manual page, polkit action and the package's documentation files.
set(KEEPGATE_APP_ID org.keepgate.Keepgate)
set(KEEPGATE_DATA_DIR ${CMAKE_SOURCE_DIR}/data)
set(KEEPGATE_HELPER_INSTALL_PATH ${CMAKE_INSTALL_FULL_LIBEXECDIR}/keepgate/keepgate-install-file)

install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION ${CMAKE_INSTALL_DATADIR}/keepgate)
install(FILES ${KEEPGATE_APP_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/keepgate)
install(FILES ${KEEPGATE_DATA_DIR}/${KEEPGATE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KEEPGATE_DATA_DIR}/${KEEPGATE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KEEPGATE_DATA_DIR}/${KEEPGATE_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${KEEPGATE_DATA_DIR}/icons/${size}x${size}/${KEEPGATE_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The policy names the helper where it is installed, so pkexec shows this action's message for it.
configure_file(${KEEPGATE_DATA_DIR}/org.keepgate.install-file.policy.in
               ${CMAKE_BINARY_DIR}/org.keepgate.install-file.policy @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/org.keepgate.install-file.policy
        DESTINATION ${CMAKE_INSTALL_DATADIR}/polkit-1/actions)

# Manual page and changelog are shipped compressed, as Debian's policy asks.
find_program(KEEPGATE_GZIP gzip REQUIRED)
set(KEEPGATE_COMPRESSED)
foreach(pair "data/keepgate.1:keepgate.1.gz" "data/debian/changelog:changelog.gz")
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${target}
    COMMAND sh -c "${KEEPGATE_GZIP} -9n -c '${CMAKE_SOURCE_DIR}/${source}' > '${CMAKE_BINARY_DIR}/${target}'"
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND KEEPGATE_COMPRESSED ${CMAKE_BINARY_DIR}/${target})
endforeach()
add_custom_target(keepgate_compressed_docs ALL DEPENDS ${KEEPGATE_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/keepgate.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz ${KEEPGATE_DATA_DIR}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/keepgate)
