# `make package` (cpack): the Debian package zw4410_<version>_<arch>.deb of
# everything ZwInstall.cmake installs under /usr. Library dependencies come
# from dpkg-shlibdeps; Qt's Japanese translations are named by hand, as the
# program loads them at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zw4410)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arbitrary waveform editor for function generators")
set(CPACK_PACKAGE_DESCRIPTION
    "ZW4410 builds waveforms for the arbitrary-waveform memory of laboratory\n\
function generators: standard shapes, expressions evaluated per sample,\n\
control points joined by lines or splines, digital patterns, cut and paste,\n\
arithmetic between waveforms, compression in time and level. It keeps them\n\
in its own files, imports data through plug-ins, and transfers them with the\n\
instrument's output settings over GPIB, USB (USBTMC) or the network.")
set(CPACK_PACKAGE_CONTACT "ZW4410 developers <zw4410@localhost>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The private libraries are found through the programs' RPATH.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    "${PROJECT_BINARY_DIR}/lib")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/desktop/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/" "/\\\\.git/")
include(CPack)
