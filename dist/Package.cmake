# The Debian package, built by CPack from the install rules:
#   cpack -G DEB  (scripts/package.sh does the whole build)
# Dependencies are read from the binaries by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME tarvoss)
set(CPACK_PACKAGE_VENDOR Mirrowdale)
set(CPACK_PACKAGE_CONTACT "Mirrowdale <support@mirrowdale.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "file encryption with a window and a command line")
set(CPACK_PACKAGE_DESCRIPTION
  "Tarvoss encrypts and decrypts the files of a list: single files, whole\n\
folders and whole disks, in place or as copies in a destination folder that\n\
mirrors the folders of the list. The window (tarvoss) is a three-page wizard\n\
whose texts come in several languages; tarvoss-cli runs the same engine\n\
from scripts.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.mirrowdale.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help module lies in the program's private folder; dpkg-shlibdeps must
# know it to read the dependencies of the module itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_INSTALL_FULL_LIBDIR}/tarvoss)
# The toolkit's own texts (buttons, file dialogs) in the shipped languages;
# the dependencies read from the binaries are added to it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
# The window needs a platform plugin, which Qt loads at run time.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
