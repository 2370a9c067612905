# `make package` (the `package` target): a Debian package of what `cmake --install` puts in
# place, for /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tidewell)
set(CPACK_PACKAGE_VENDOR Quillmark)
set(CPACK_PACKAGE_CONTACT "Quillmark <support@quillmark.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "start and close programs on a schedule")
# The package's long description, one string per line (lintian wants under 80 columns).
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Tidewell starts programs, closes programs, or both, at the moments you"
  "choose: weekly (a day and a time), daily (a time) or every X hours, minutes"
  "and seconds. It keeps a list of programs to run and a list of programs to"
  "close, closes them politely (a close request to each of their windows) or at"
  "once, and logs every launch and close in a history that can be copied to the"
  "clipboard. It waits in the notification area, can start when you log in, and"
  "runs one copy per session.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.quillmark.com/)
# The libraries the program links, as dpkg-shlibdeps finds them, and Qt's Wayland plugin,
# which Qt loads by name on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland")
# "Load Sample/Example Items" opens the first of these editors found; without one it says so.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "mousepad | gedit | gnome-text-editor | kate | pluma | xed | featherpad | x11-apps")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
