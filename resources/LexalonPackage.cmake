# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package built by `make package`: what `cmake --install` puts
# under /usr, with the Debian packages the program needs at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexalon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Projet Lexalon")
set(CPACK_PACKAGE_CONTACT "Projet Lexalon <lexalon@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "liste des formes d'un texte français et de leurs attestations")
set(CPACK_PACKAGE_DESCRIPTION "\
Lexalon ouvre un fichier texte (un extrait de texte français), le découpe en
formes et compte les attestations de chacune. La liste des formes se lit en
ordre alphabétique ou par fréquences décroissantes, s'enregistre et s'imprime.
La commande lexalon-liste écrit la même liste sans fenêtre.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries (Qt, the C and C++ runtimes) are found by dpkg-shlibdeps;
# what the program loads without linking it is named here: Qt's French
# messages for the standard dialogs, Liberation for the windows' Times New
# Roman and Arial, DejaVu for every other text.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
