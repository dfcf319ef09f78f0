# What an installation holds, and the Debian package made of it (CPack's DEB
# generator: the build already knows every file, and dpkg-shlibdeps computes
# the dependencies from the binaries).
include(GNUInstallDirs)

install(TARGETS tornel tornel-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# tornel-tool's drawing half, started by "tornel-tool plot" only.
install(TARGETS tornel-tool-plot RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tornel)

set(tornel_share ${CMAKE_INSTALL_DATADIR}/tornel)
file(GLOB tornel_texts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/Text/*.rtf)
file(GLOB tornel_examples CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/examples/*.str)
install(FILES ${tornel_texts} DESTINATION ${tornel_share}/Text)
install(FILES ${PROJECT_SOURCE_DIR}/resources/Tornel.ini DESTINATION ${tornel_share})
install(FILES ${tornel_examples} DESTINATION ${tornel_share}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/resources/tornel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/tornel-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME tornel.xml)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tornel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The package version carries the build number, so each term's build
# upgrades the last one.
set(TORNEL_PACKAGE_VERSION "${TORNEL_VERSION}.${TORNEL_BUILD_NUMBER}")
set(TORNEL_PACKAGE_DATE "Thu, 01 Jan 2026 00:00:00 +0000")
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%aD
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE commit_date OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_result ERROR_QUIET)
  if(git_result EQUAL 0 AND commit_date)
    set(TORNEL_PACKAGE_DATE "${commit_date}")
  endif()
endif()

# Manual pages and the changelog go in compressed without a time stamp, as
# Debian wants them.
find_program(TORNEL_GZIP gzip REQUIRED)
set(doc_dir ${CMAKE_BINARY_DIR}/doc)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in ${doc_dir}/changelog @ONLY)
set(compressed ${doc_dir}/changelog.gz)
add_custom_command(OUTPUT ${doc_dir}/changelog.gz
                   COMMAND ${TORNEL_GZIP} -9nf -k ${doc_dir}/changelog
                   DEPENDS ${doc_dir}/changelog VERBATIM)
foreach(page tornel.1 tornel-tool.1)
  add_custom_command(OUTPUT ${doc_dir}/${page}.gz
                     COMMAND ${TORNEL_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/resources/man/${page}
                             > ${doc_dir}/${page}.gz
                     DEPENDS ${PROJECT_SOURCE_DIR}/resources/man/${page})
  list(APPEND compressed ${doc_dir}/${page}.gz)
  install(FILES ${doc_dir}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(tornel_docs ALL DEPENDS ${compressed})
install(FILES ${doc_dir}/changelog.gz ${PROJECT_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tornel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tornel)
set(CPACK_PACKAGE_VERSION ${TORNEL_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "TornelAD developers")
set(CPACK_PACKAGE_CONTACT "TornelAD developers <tornel@lab.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "data acquisition and processing for an electric-drives test bench")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, where dpkg-shlibdeps cannot see
# them; the translations give Qt's own dialogs their Russian texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# CPack puts the summary first itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "TornelAD is the desktop program of a university electric-drives
laboratory's universal test bench (16 ADC inputs, two DAC outputs). It
records transient responses and static characteristics, builds and
simulates block diagrams of a drive with the bench in the loop (RK4), and
views, filters, compares, tabulates, prints and saves the records. Real
acquisition cards are reached through comedilib; a simulated bench works
without hardware.
.
tornel-tool does the same work on files without a display. The user
interface is in Russian.")
include(CPack)
