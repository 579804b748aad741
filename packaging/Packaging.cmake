# Installation into the usual places of a Linux desktop, and the Debian
# package: the two programs, their man pages, a desktop entry with its icon
# and launcher, AppStream metadata, and the package's copyright file and
# changelog.
include(GNUInstallDirs)

set(DRAVELIN_APP_ID org.dravelin.Dravelin)
set(dravelin_packaging_source ${CMAKE_CURRENT_LIST_DIR})
set(dravelin_packaging_build ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${dravelin_packaging_build})

# Man pages, compressed as Debian keeps them.
set(dravelin_man_pages dravelin-batch.1)
if(TARGET dravelin)
  list(APPEND dravelin_man_pages dravelin.1)
endif()
set(dravelin_compressed_pages)
foreach(page ${dravelin_man_pages})
  set(compressed ${dravelin_packaging_build}/${page}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${dravelin_packaging_source}/${page}
            ${dravelin_packaging_build}/${page}
    COMMAND gzip -9nf ${dravelin_packaging_build}/${page}
    DEPENDS ${dravelin_packaging_source}/${page}
    VERBATIM)
  list(APPEND dravelin_compressed_pages ${compressed})
endforeach()
add_custom_target(dravelin_man_pages ALL DEPENDS ${dravelin_compressed_pages})
install(FILES ${dravelin_compressed_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The package's documentation folder: the licence in Debian's machine-readable
# form and the package's changelog, compressed without a time stamp.
set(dravelin_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/dravelin)
set(dravelin_changelog ${dravelin_packaging_build}/changelog.Debian.gz)
add_custom_command(
  OUTPUT ${dravelin_changelog}
  COMMAND ${CMAKE_COMMAND} -E copy ${dravelin_packaging_source}/changelog.Debian
          ${dravelin_packaging_build}/changelog.Debian
  COMMAND gzip -n -9 -f ${dravelin_packaging_build}/changelog.Debian
  DEPENDS ${dravelin_packaging_source}/changelog.Debian
  VERBATIM)
add_custom_target(dravelin_changelog ALL DEPENDS ${dravelin_changelog})
install(FILES ${dravelin_packaging_source}/copyright ${dravelin_changelog}
        DESTINATION ${dravelin_doc_dir})
install(FILES ${dravelin_packaging_source}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME dravelin)

if(TARGET dravelin)
  install(TARGETS dravelin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  # The desktop entry starts the launcher, which runs the program in the
  # user's working folder; the program itself takes no options.
  get_target_property(launcher_dir dravelin-launch DRAVELIN_INSTALL_FOLDER)
  install(TARGETS dravelin-launch RUNTIME DESTINATION ${launcher_dir})

  # The entry names the launcher by its full path, which is known only when
  # installing (cmake --install --prefix, or the package's /usr); the path is
  # quoted as the desktop entry format asks, so that blanks in it are safe.
  include(${dravelin_packaging_source}/DesktopExec.cmake)
  dravelin_desktop_exec(DRAVELIN_LAUNCHER ${CMAKE_INSTALL_PREFIX}/${launcher_dir}/dravelin-launch)
  configure_file(${dravelin_packaging_source}/${DRAVELIN_APP_ID}.desktop.in
                 ${dravelin_packaging_build}/${DRAVELIN_APP_ID}.desktop @ONLY)
  install(CODE "
    include(\"${dravelin_packaging_source}/DesktopExec.cmake\")
    dravelin_desktop_exec(DRAVELIN_LAUNCHER
                          \"\${CMAKE_INSTALL_PREFIX}/${launcher_dir}/dravelin-launch\")
    configure_file(\"${dravelin_packaging_source}/${DRAVELIN_APP_ID}.desktop.in\"
                   \"${dravelin_packaging_build}/install/${DRAVELIN_APP_ID}.desktop\" @ONLY)
  ")
  install(FILES ${dravelin_packaging_build}/install/${DRAVELIN_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${dravelin_packaging_source}/${DRAVELIN_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${dravelin_packaging_source}/${DRAVELIN_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The desktop files are checked with the validators when they are present.
  if(DRAVELIN_BUILD_TESTS)
    add_test(NAME packaging_desktop_exec_is_quoted
             COMMAND ${CMAKE_COMMAND} -P
                     ${PROJECT_SOURCE_DIR}/tests/packaging/desktop_exec_test.cmake)
    find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
    find_program(APPSTREAMCLI appstreamcli)
    if(DESKTOP_FILE_VALIDATE)
      add_test(NAME packaging_desktop_entry_is_valid
               COMMAND ${DESKTOP_FILE_VALIDATE}
                       ${dravelin_packaging_build}/${DRAVELIN_APP_ID}.desktop)
    endif()
    if(APPSTREAMCLI)
      add_test(NAME packaging_metainfo_is_valid
               COMMAND ${APPSTREAMCLI} validate --no-net
                       ${dravelin_packaging_source}/${DRAVELIN_APP_ID}.metainfo.xml)
    endif()
  endif()
endif()

# The Debian package (cpack -G DEB in the build folder). Its version carries
# a Debian revision, which changelog.Debian names too.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dravelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR "Dravelin project")
set(CPACK_PACKAGE_CONTACT "Dravelin project <dravelin@dravelin.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "patch reports for QS+ synthesizer sysex bank files")
# Lines of the long description stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Dravelin reads the sysex bank files of a QS+ synthesizer keyboard and writes
plain-text reports about their patches: patch name lists, instrument file
sections, every identical or similar pair within a set of banks, and the
patches that are new or already known compared with a base set. dravelin is
the desktop window; dravelin-batch runs the same commands without a window.")
# Installed below /usr; the install runs into a staging DESTDIR, so that the
# desktop entry sees the real prefix.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET dravelin)
  # The faces metric-compatible with the window's designed fonts, and the
  # platform plugins that open a window.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins")
endif()
include(CPack)

# The package is checked with lintian where it is installed: no error and no
# warning. The check builds the package from this build folder, so it is left
# out of sanitizer builds, which make no package to hand out.
if(DRAVELIN_BUILD_TESTS AND NOT DRAVELIN_SANITIZE)
  find_program(LINTIAN lintian)
  if(LINTIAN)
    add_test(NAME packaging_deb_passes_lintian
             COMMAND sh ${dravelin_packaging_source}/check-deb.sh ${PROJECT_BINARY_DIR} ${LINTIAN})
  endif()
endif()
