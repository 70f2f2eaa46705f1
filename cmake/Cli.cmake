# What the keepgate-cli package installs: keepgatectl, its manual page, bash completion, the schema of its
# JSON output and the package's documentation files.
install(TARGETS keepgatectl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/keepgatectl.1.gz
  COMMAND sh -c "${KEEPGATE_GZIP} -9n -c '${CMAKE_SOURCE_DIR}/data/keepgatectl.1' > '${CMAKE_BINARY_DIR}/keepgatectl.1.gz'"
  DEPENDS ${CMAKE_SOURCE_DIR}/data/keepgatectl.1 VERBATIM)
add_custom_target(keepgatectl_manual ALL DEPENDS ${CMAKE_BINARY_DIR}/keepgatectl.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/keepgatectl.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
install(FILES ${CMAKE_SOURCE_DIR}/data/keepgatectl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME keepgatectl COMPONENT cli)
install(FILES ${CMAKE_SOURCE_DIR}/data/keepgatectl.schema.json
        DESTINATION ${CMAKE_INSTALL_DATADIR}/keepgate-cli COMPONENT cli)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz ${CMAKE_SOURCE_DIR}/data/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/keepgate-cli COMPONENT cli)
