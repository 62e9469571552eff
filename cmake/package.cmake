# The Debian package: `cpack -G DEB` in a release build (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zanpel)
set(CPACK_PACKAGE_VENDOR "The Zanpel developers")
set(CPACK_PACKAGE_CONTACT "${ZANPEL_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "time tracker with a bar of work buttons at the screen edge")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZANPEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zanpel.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Japanese texts of the bar need a Japanese font; Qt's own translation
# puts the texts of its dialogs (the save dialog) into Japanese as well.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The long description below the summary; CPack indents it for dpkg.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zanpel keeps a narrow, always-on-top bar at an edge of the screen with one
toggle button per work item. Pressing a button times that item and stops the
one before, so the working day is recorded as it is worked.

The bar switches to the break item in the configured rest periods and can
switch work by rules on the window in the foreground (X11). It shows a
monthly summary with working hours and overtime, writes a text work report,
and lets the recorded periods be edited. Records are kept in monthly
Shift-JIS (CP932) text files; the zanpelctl tool prints, checks and exports
them as CSV or JSON. The user interface is Japanese.")
include(CPack)
