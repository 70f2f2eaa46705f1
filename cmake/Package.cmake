# `make package` (cpack) builds two Debian packages: the desktop application (keepgate) and the command
# line (keepgate-cli), which needs neither Qt nor a display.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keepgate)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Unspecified cli)
set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME keepgate)
set(CPACK_DEBIAN_CLI_PACKAGE_NAME keepgate-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_CLI_PACKAGE_DEPENDS "apache2-utils")
set(CPACK_DEBIAN_CLI_PACKAGE_RECOMMENDS "apache2 | httpd")
set(CPACK_DEBIAN_CLI_PACKAGE_SUGGESTS "pkexec")
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION admin)
# The synopsis line is the shared summary above; the description tells the two packages apart.
set(CPACK_DEBIAN_CLI_DESCRIPTION "keepgatectl, the command line of Keepgate, manages password protection of
web directories for the Apache HTTP Server from a shell or a script, without
a display: user files (hashes made by htpasswd), group files, and each
directory's protection in its .htaccess file or in one shared configuration
file. It checks the server's setup, fixes it after the server's own
configuration test, and tests the protection against the running server.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Keepgate developers")
set(CPACK_PACKAGE_CONTACT "The Keepgate developers <developers@keepgate.org>")
# The package installs where the build was configured to, so the polkit policy names the real helper path.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.keepgate.org/")
# The shared libraries actually linked (Qt and the C++ runtime) become dependencies through dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "apache2-utils, pkexec | policykit-1")
# Qt's own translations put the standard buttons and file panels in the user's language too.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "apache2 | httpd, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "protect web directories of the Apache web server with passwords")
# CPack puts the summary on the synopsis line and indents each line below; an empty line separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Keepgate is a desktop application that manages password protection of web
directories for the Apache HTTP Server on the local machine. It edits the user
file (with hashes made by htpasswd), the group file, and each directory's
protection, kept in the directory's .htaccess file or in one shared
configuration file that the server includes.

Changes to the server's own configuration go through a small helper that
pkexec runs under the polkit action org.keepgate.install-file.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
