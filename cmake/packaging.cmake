# The Debian package of wagemark and wagemark-cli: `cpack -G DEB` in a build
# folder. The library dependencies are read from the programs themselves.
set(CPACK_PACKAGE_NAME wagemark)
set(CPACK_PACKAGE_VENDOR "Wagemark")
set(CPACK_PACKAGE_CONTACT "Wagemark maintainers <wagemark@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Pay calculator: federal, FICA, state and local withholding of a pay period")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION "\
Wagemark works out the federal income tax withholding, Social Security and
Medicare, the state and local tax and the check amount of one pay period on the
withholding rules of tax year 2000, for 40 states and the District of Columbia.
Around the calculator it offers the Form W-4 worksheets, a multiple check
worksheet, a pay analysis, a projection of the tax year and a printable pay
statement.

The package holds the desktop program wagemark and the command-line tool
wagemark-cli, which runs the same calculation for scripts and batches.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/wagemark/wagemark")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# Debian's modes for the control files whatever the builder's umask (the
# folders': CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS, set before any install).
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The latest entry of the changelog is the release: its version must be the
# project's and its signer the package's maintainer; its date is the date of
# the manual pages and of the release in the metainfo.
set(WAGEMARK_CHANGELOG ${PROJECT_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${WAGEMARK_CHANGELOG})
file(READ ${WAGEMARK_CHANGELOG} changelog)
if(NOT changelog MATCHES "^${CPACK_PACKAGE_NAME} \\(([^)]+)\\) ")
  message(FATAL_ERROR "${WAGEMARK_CHANGELOG}: the first line is not \"${CPACK_PACKAGE_NAME} (VERSION) ...\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${WAGEMARK_CHANGELOG}: the latest entry is ${CMAKE_MATCH_1}, the project ${PROJECT_VERSION}")
endif()
if(NOT changelog MATCHES "\n -- ([^\n]+)  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "${WAGEMARK_CHANGELOG}: the latest entry has no \" -- NAME <MAIL>  DATE\" line")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL CPACK_PACKAGE_CONTACT)
  message(FATAL_ERROR "${WAGEMARK_CHANGELOG}: signed by ${CMAKE_MATCH_1}, not by ${CPACK_PACKAGE_CONTACT}")
endif()
set(day ${CMAKE_MATCH_2})
set(year ${CMAKE_MATCH_4})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_3} month)
if(month LESS 0)
  message(FATAL_ERROR "${WAGEMARK_CHANGELOG}: no month \"${CMAKE_MATCH_3}\" in the latest entry's date")
endif()
math(EXPR month "${month} + 1")
string(LENGTH "${day}" n)
if(n EQUAL 1)
  set(day "0${day}")
endif()
if(month LESS 10)
  set(month "0${month}")
endif()
set(WAGEMARK_RELEASE_DATE "${year}-${month}-${day}")

# The copyright file, manual pages, completion and metainfo.
add_subdirectory(${PROJECT_SOURCE_DIR}/packaging ${PROJECT_BINARY_DIR}/packaging)

include(CPack)
