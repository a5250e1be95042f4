# The Debian package: what cmake --install puts under /usr, with the
# dependencies dpkg-shlibdeps finds for the program.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorview)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TALMO")
set(CPACK_PACKAGE_CONTACT "zorview maintainers <zorview@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viewer and checker for electronic photo deliveries")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Stripped as Debian ships programs; no debug symbols in the package.
set(CPACK_STRIP_FILES ON)
# Qt's Japanese texts are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk, qt6-image-formats-plugins")
include(CPack)
