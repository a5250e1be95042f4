# Every external library is found here once; a missing one stops the
# configuration with its Debian package name instead of skipping a part.
find_package(PkgConfig REQUIRED)

find_package(Iconv REQUIRED)
find_package(LibXml2 REQUIRED)
find_package(JPEG REQUIRED)
find_package(GIF REQUIRED)
find_package(PNG REQUIRED)
find_package(ZLIB REQUIRED)
# msgfmt for the command line's message catalogues (po/).
find_package(Gettext REQUIRED)
pkg_check_modules(GRAPHICSMAGICK REQUIRED IMPORTED_TARGET GraphicsMagick++)
pkg_check_modules(RSVG REQUIRED IMPORTED_TARGET librsvg-2.0)
# The photo ledger: cairo's PDF surface, text through pango (libcairo2-dev,
# libpango1.0-dev).
pkg_check_modules(PANGOCAIRO REQUIRED IMPORTED_TARGET pangocairo cairo-pdf)
# XMP packets (the electronic blackboard's photo information): libexempi-dev
pkg_check_modules(EXEMPI REQUIRED IMPORTED_TARGET exempi-2.0)

if(ZOR_BUILD_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Network Test)
endif()

if(ZOR_BUILD_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
if(ZOR_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()
