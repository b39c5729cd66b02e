# The Debian package: `cpack -G DEB` in a build folder. Its dependencies are
# read off the binaries by dpkg-shlibdeps; Qt's platform plugins are loaded at
# run time, so they are named by hand.
set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tolvane developers")
set(CPACK_PACKAGE_CONTACT "Tolvane developers <dev@tolvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "price research for sold online auctions")
# The extended description in lines short enough for a terminal: CPack
# indents each line of it in the control file.
set(CPACK_PACKAGE_DESCRIPTION
    "Tolvane loads result pages of an auction site's search of sold listings,
or opens them saved from a web browser, cuts every listed sale into a grid
of checked rows and keeps statistics, deviation icons, a price filter, an
hourly and weekday analysis, a printed report, a saved summary and CSV
export, import and merge over them.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Today's site answers over HTTPS only: the certificates that verify it. Qt's
# TLS back ends come with libqt6network6 (read off the binary), which brings
# OpenSSL with it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, ca-certificates")
# The Market window's libqt6charts6 and libqt6svg6 are read off the binary
# with their versions (scripts/package.sh --check makes sure of them); naming
# them here too would list each twice.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tolvane.org/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/resources/debian/postinst
    ${CMAKE_SOURCE_DIR}/resources/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# Stripped binaries, without separate debug symbols.
set(CPACK_STRIP_FILES ON)

# Release builds are hardened as Debian builds its own packages: checked
# string and memory functions, and the relocations resolved at start and
# then made read-only.
target_compile_definitions(tolvane_options INTERFACE
  $<$<CONFIG:Release>:_FORTIFY_SOURCE=2>)
target_link_options(tolvane_options INTERFACE
  $<$<CONFIG:Release>:LINKER:-z,now LINKER:-z,relro>)

include(CPack)
