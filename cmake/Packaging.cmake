# The Debian package: cpack -G DEB in the build folder (make deb) writes
# vellomar_<version>_<arch>.deb. Its dependencies are computed from the binaries
# (dpkg-shlibdeps); what the binaries load at run time without linking it is added by name.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellomar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vellomar Chat developers")
set(CPACK_PACKAGE_CONTACT "The Vellomar Chat developers <developers@vellomar.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop client of the Vellomar chat service")
set(CPACK_PACKAGE_DESCRIPTION
    "Vellomar Chat hosts your chat room in a window of its own and adds what a\n\
web page alone cannot: a login window that remembers your fields, a notice\n\
when somebody enters the room, a tray icon that keeps the chat running, helpers\n\
that put the room on a web site of your own, and a skinned look. The package\n\
also holds the demo chat service and the skin packer.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vellomar.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The display plugins are loaded, not linked, and so is the HTTP client library (on the first
# fetch, so the client starts without it).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libcurl4")
# The desktop's opener for links and the sample page; the fonts the layouts are measured with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation")

include(CPack)
