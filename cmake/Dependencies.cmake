# Every outside package, found once for the whole tree. All come from Debian packages that
# scripts/bootstrap installs.
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets Test WebEngineWidgets WebChannel)
find_package(CURL REQUIRED)
find_package(SQLite3 REQUIRED)
find_package(Threads REQUIRED)
find_package(PkgConfig REQUIRED)

# cpp-httplib: the demo service and the tests' local HTTP server.
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET GLOBAL cpp-httplib)
add_library(Vellomar::httplib ALIAS PkgConfig::HTTPLIB)
# libsodium: the demo service's password hashes.
pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET GLOBAL libsodium)
add_library(Vellomar::sodium ALIAS PkgConfig::SODIUM)
# fontconfig: the client reads the font configuration while it connects to the display.
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET GLOBAL fontconfig)
add_library(Vellomar::fontconfig ALIAS PkgConfig::FONTCONFIG)
# libxcb: the skin asks the X server whether a window manager runs.
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET GLOBAL xcb)
add_library(Vellomar::xcb ALIAS PkgConfig::XCB)
