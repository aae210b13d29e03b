# Install rules and the Debian package. `cmake --install` puts the programs in
# bin/, and for the desktop the entry (with its set list file type), the icon
# in the hicolor theme, the AppStream metainfo; both manual pages and the
# documentation go along. `cpack -G DEB` (or the `package` target) packs the
# same tree; configure with -DCMAKE_INSTALL_PREFIX=/usr for it, so the programs
# know the folder they are installed in (core/settings/InstallDirs.h).

# The release the manual pages name, with the notes in packaging/changelog and the metainfo.
set(TRAKVELLA_RELEASE_MONTH "December 2026")
set(PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(TRAKVELLA_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/trakvella)

# --- Manual pages and the changelog, gzipped as Debian keeps them ----------------------
configure_file(${PACKAGING_DIR}/trakvella.1.in ${PACKAGING_OUT}/trakvella.1 @ONLY)
add_custom_command(OUTPUT ${PACKAGING_OUT}/trakvella.1.gz
  COMMAND gzip -9nc ${PACKAGING_OUT}/trakvella.1 > ${PACKAGING_OUT}/trakvella.1.gz
  DEPENDS ${PACKAGING_OUT}/trakvella.1 VERBATIM)
add_custom_command(OUTPUT ${PACKAGING_OUT}/trakvella-cli.1.gz
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:trakvella-cli> -DTEMPLATE=${PACKAGING_DIR}/trakvella-cli.1.in
          -DOUTPUT=${PACKAGING_OUT}/trakvella-cli.1.gz -DPROJECT_VERSION=${PROJECT_VERSION}
          "-DTRAKVELLA_RELEASE_MONTH=${TRAKVELLA_RELEASE_MONTH}" -P ${PROJECT_SOURCE_DIR}/cmake/CliManPage.cmake
  DEPENDS trakvella-cli ${PACKAGING_DIR}/trakvella-cli.1.in ${PROJECT_SOURCE_DIR}/cmake/CliManPage.cmake VERBATIM)
add_custom_command(OUTPUT ${PACKAGING_OUT}/changelog.gz
  COMMAND gzip -9nc ${PACKAGING_DIR}/changelog > ${PACKAGING_OUT}/changelog.gz
  DEPENDS ${PACKAGING_DIR}/changelog VERBATIM)
add_custom_target(packaging_files ALL DEPENDS ${PACKAGING_OUT}/trakvella-cli.1.gz ${PACKAGING_OUT}/changelog.gz
  $<$<BOOL:${TRAKVELLA_BUILD_APP}>:${PACKAGING_OUT}/trakvella.1.gz>)

# --- What is installed -----------------------------------------------------------------------------
install(TARGETS trakvella-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PACKAGING_OUT}/trakvella-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TRAKVELLA_BUILD_APP)
  install(TARGETS trakvella RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PACKAGING_OUT}/trakvella.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PACKAGING_DIR}/${TRAKVELLA_DESKTOP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${PACKAGING_DIR}/${TRAKVELLA_DESKTOP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages
          RENAME ${TRAKVELLA_DESKTOP_ID}.xml)
  install(FILES ${PACKAGING_DIR}/${TRAKVELLA_DESKTOP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
  install(FILES ${PACKAGING_DIR}/icons/${TRAKVELLA_DESKTOP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
  foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${PACKAGING_DIR}/icons/${size}x${size}/${TRAKVELLA_DESKTOP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/CLI.md ${PACKAGING_DIR}/copyright
        ${PACKAGING_OUT}/changelog.gz DESTINATION ${TRAKVELLA_DOCDIR})

# --- The Debian package ------------------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trakvella)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Trakvella developers")
set(CPACK_PACKAGE_CONTACT "The Trakvella developers <trakvella@kmlb-library.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue browser of the KMLB production-music library")
# The extended description, in lines the package tools show as they are.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Trakvella walks the KMLB library's CDs by category, searches its tracks by\n"
  "mood, tempo, key, style and epoch, plays previews from the library's demo\n"
  "server or from local files, collects the tracks of a production into a music\n"
  "set, downloads full-quality tracks with a subscription, fills in the licence\n"
  "documents and reports the music used. The catalogue is compiled into the\n"
  "program.\n"
  "\n"
  "This package holds the desktop program (trakvella) and its command-line\n"
  "front end (trakvella-cli).")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.kmlb-library.example/)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries it links come from dpkg-shlibdeps; what it loads at run time is named here:
# libcurl, libarchive and libsndfile (the waveform's decoder, whose package brings its MP3 decoder,
# libmpg123), which the adapters load at their first use and dpkg-shlibdeps therefore does not see
# (libcurl from 7.85, the first to take protocols by name; libarchive from 3.4, the first to read
# RAR 5); GStreamer's playback elements (base) and the MP3 decoder, parsers, HTTP source and audio
# sinks (good) that Qt Multimedia plays previews with, and Qt's own Russian texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4 (>= 7.85.0), libarchive13 (>= 3.4.0), libsndfile1 (>= 1.0.20), \
gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
