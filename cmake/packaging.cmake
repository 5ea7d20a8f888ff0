# The Debian package of wagemark and wagemark-cli: `cpack -G DEB` in a build
# folder. The library dependencies are read from the programs themselves.
set(CPACK_PACKAGE_NAME wagemark)
set(CPACK_PACKAGE_VENDOR "Wagemark")
set(CPACK_PACKAGE_CONTACT "Wagemark maintainers <wagemark@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Pay calculator: federal, FICA, state and local withholding of a pay period")
set(CPACK_PACKAGE_DESCRIPTION "Wagemark works out the federal income tax withholding, Social Security and \
Medicare, the state and local tax and the check amount of one pay period on the withholding rules of tax \
year 2000, with the Form W-4 worksheets, a multiple check worksheet, a pay analysis and a printable pay \
statement. The package holds the desktop program wagemark and the command-line tool wagemark-cli.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/wagemark/wagemark")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
