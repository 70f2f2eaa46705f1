# The translation source (.ts) of the Qt layer's texts, refreshed by every build that changed them.
# Without lupdate (package qt6-l10n-tools) the build goes on without it.
find_program(KEEPGATE_LUPDATE NAMES lupdate lupdate-qt6 HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec)
if(KEEPGATE_LUPDATE)
  set(KEEPGATE_TS ${CMAKE_BINARY_DIR}/translations/keepgate.ts)
  file(GLOB KEEPGATE_TR_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/qt/*.cpp ${CMAKE_SOURCE_DIR}/src/qt/*.h)
  add_custom_command(OUTPUT ${KEEPGATE_TS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/translations
    COMMAND ${KEEPGATE_LUPDATE} -silent -locations none -source-language en -I ${CMAKE_SOURCE_DIR}/src
            ${KEEPGATE_TR_SOURCES} -ts ${KEEPGATE_TS}
    DEPENDS ${KEEPGATE_TR_SOURCES} VERBATIM)
  add_custom_target(keepgate_translations ALL DEPENDS ${KEEPGATE_TS})
else()
  message(STATUS "lupdate not found: the translation source is not generated")
endif()
