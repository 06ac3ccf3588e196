# The Debian package, built by CPack from the install rules (scripts/package
# runs it). Its dependencies are computed from the programs' libraries by
# dpkg-shlibdeps; none is listed by hand.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "partition table repairs worked out by calculation")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Quorvane helps to repair the partition table errors that PowerQuest's disk"
    "tools report, by calculation alone: it never reads or writes a disk. It"
    "converts a partition table entry between its CHS and LBA forms, checks it,"
    "explains and sizes the repairs of errors #104 to #116, writes keystroke-by-"
    "keystroke instructions for a DOS disk editor and collects checked entries"
    "into a DOS batch file for an outside partition table tool."
    ""
    "The package holds the desktop program quorvane and the command-line program"
    "quorvane-cli, which runs the same calculations from scripts.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUORVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Everything but the licence's full text, which a Debian system holds
# already, and the Debian copyright and changelog files.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/"
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};debian;/")
include(CPack)
