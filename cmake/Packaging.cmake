# The Debian package: `cpack -G DEB` in the build folder gives bivalo_<version>_<arch>.deb.
# Its dependencies come from the libraries the programs link (dpkg-shlibdeps), plus what Qt
# loads at run time: the SVG support for the icons and the platform of Wayland desktops.
set(CPACK_PACKAGE_NAME bivalo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Bivalo developers <bivalo@bivalo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare two text files side by side and merge them")
set(CPACK_PACKAGE_DESCRIPTION
    "Bivalo puts two text files side by side, aligned so that equal lines face each other, and colours every line by what differs. It walks from difference to difference, copies differences or single lines across, edits and saves without losing a byte. bivalo --report prints the comparison in a terminal, and the program serves as git's difftool.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BIVALO_PROJECT_URL})
include(CPack)
