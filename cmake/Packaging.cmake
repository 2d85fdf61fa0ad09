# cpack -G DEB (in build/): a Debian package of the installation, for /usr.
set(CPACK_PACKAGE_NAME zentrope)
set(CPACK_PACKAGE_VENDOR Zentrope)
set(CPACK_PACKAGE_CONTACT "Zentrope <support@zentrope.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop companion of the Zentrope Office add-in")
set(CPACK_PACKAGE_DESCRIPTION "Keeps the add-in's local daemon running, sideloads the add-in \
into Word, Excel and PowerPoint, checks the machine's setup and gathers what support needs.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The Qt 6 libraries come from dpkg-shlibdeps; these are what it cannot see:
# the X11 platform plugin, the daemon's Node, and the programs run as children.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, nodejs, openssl, zip, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
