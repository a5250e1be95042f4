# The Debian package: what cmake --install puts under /usr, with the
# dependencies dpkg-shlibdeps finds for the program.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorview)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TALMO")
set(CPACK_PACKAGE_CONTACT "zorview maintainers <zorview@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viewer and checker for electronic photo deliveries")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "zorview opens Japanese public-works electronic deliveries of photos (an\n"
    "index file and PHOTO/PHOTO.XML) and shows the photo classification tree,\n"
    "thumbnails, every item with the rule of its standard, a zoomable viewer\n"
    "and the raw XML. It verifies every entry against the standard in force,\n"
    "inspects the picture files themselves (names, formats, dates, EXIF data\n"
    "and the tamper-check values of electronic blackboards), searches and\n"
    "sorts photos and writes a static HTML photo album. It never changes the\n"
    "files of a delivery.\n"
    "\n"
    "The same program checks deliveries from the command line without a\n"
    "display (zorview --verify, --inspect, --album and more).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Stripped as Debian ships programs; no debug symbols in the package.
set(CPACK_STRIP_FILES ON)
# Qt's Japanese texts are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk, qt6-image-formats-plugins")
include(CPack)
