# Translations: translations/keepgate_<lang>.ts in the repository hold every window text and every core
# message with its German and French translation. The build compiles them with lrelease into .qm files
# beside the executable (resources/translations, where the application looks first in the build tree) and
# installs them in share/keepgate/translations. `make translations` (the keepgate_update_translations
# target) refreshes the .ts files from the sources with lupdate, keeping the translations already made.
set(KEEPGATE_LANGUAGES de fr)
set(KEEPGATE_TS_FILES)
foreach(language IN LISTS KEEPGATE_LANGUAGES)
  list(APPEND KEEPGATE_TS_FILES ${CMAKE_SOURCE_DIR}/translations/keepgate_${language}.ts)
endforeach()

find_program(KEEPGATE_LRELEASE NAMES lrelease lrelease-qt6 HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec)
find_program(KEEPGATE_LUPDATE NAMES lupdate lupdate-qt6 HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec)

if(KEEPGATE_LRELEASE)
  set(KEEPGATE_QM_DIR ${CMAKE_BINARY_DIR}/resources/translations)
  set(KEEPGATE_QM_FILES)
  foreach(ts IN LISTS KEEPGATE_TS_FILES)
    get_filename_component(name ${ts} NAME_WE)
    set(qm ${KEEPGATE_QM_DIR}/${name}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${KEEPGATE_QM_DIR}
      COMMAND ${KEEPGATE_LRELEASE} -silent ${ts} -qm ${qm}
      DEPENDS ${ts} VERBATIM)
    list(APPEND KEEPGATE_QM_FILES ${qm})
  endforeach()
  add_custom_target(keepgate_qm ALL DEPENDS ${KEEPGATE_QM_FILES})
  add_dependencies(keepgate keepgate_qm)
  install(FILES ${KEEPGATE_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/keepgate/translations)
else()
  message(STATUS "lrelease not found (package qt6-l10n-tools): Keepgate is built in English only")
endif()

if(KEEPGATE_LUPDATE)
  # Every folder whose texts reach a window: the Qt layer's tr() texts and the core's marked messages
  # (keepgatectl and the helper stay English, so src/cli and src/helper are not read).
  set(KEEPGATE_TR_SOURCES)
  foreach(folder qt app directory groups operations services formats platform)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
    list(APPEND KEEPGATE_TR_SOURCES ${found})
  endforeach()
  # No line numbers and no vanished entries, so that a refresh changes only the texts that changed.
  add_custom_target(keepgate_update_translations
    COMMAND ${KEEPGATE_LUPDATE} -silent -locations none -no-obsolete -source-language en
            -I ${CMAKE_SOURCE_DIR}/src ${KEEPGATE_TR_SOURCES} -ts ${KEEPGATE_TS_FILES}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} VERBATIM)
endif()
