# What is installed where, and the Debian package made of it:
#   cd build && cpack -G DEB   ->  orvik-asigurati_<version>_<arch>.deb
# The programs look for their data beside themselves, in
# <program's folder>/../share/orvik-asigurati, so the folders below keep that
# relation (bin and share under one prefix, /usr in the package).

set(ORVIK_MAINTAINER "Orvik <asigurati@orvik.example>")
# Folders made by the installation are 0755 whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS orvik-asigurati orvik-cli RUNTIME DESTINATION bin)
# What a new installation is prepared from, under the names it has in sql/.
install(FILES
  ${CMAKE_SOURCE_DIR}/sql/schema.sql
  ${CMAKE_SOURCE_DIR}/sql/change_log.sql
  ${CMAKE_SOURCE_DIR}/sql/seed.sql
  ${CMAKE_SOURCE_DIR}/sql/nomenclature.sql
  ${CMAKE_SOURCE_DIR}/sql/users.sql
  DESTINATION share/orvik-asigurati/sql)

# The menu entry and its icon: the drawing, and the sizes desktops ask for
# (rendered from it by packaging/render-icons.sh and kept in packaging/icons).
set(ORVIK_ICON_SIZES 16 22 24 32 48 64 128 256)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/orvik-asigurati.desktop
        DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/orvik-asigurati.svg
        DESTINATION share/icons/hicolor/scalable/apps)
foreach(size IN LISTS ORVIK_ICON_SIZES)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/orvik-asigurati-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME orvik-asigurati.png)
endforeach()

# Manual pages and the changelog carry the version; Debian wants them
# compressed with gzip -9 and without a name or time in the gzip header (-n),
# so the same sources give the same package.
find_program(ORVIK_GZIP gzip REQUIRED)
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
string(TIMESTAMP ORVIK_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
string(TIMESTAMP ORVIK_YEAR "%Y" UTC)
configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright ${packaging_out}/copyright @ONLY)
set(compressed "")
foreach(file orvik-cli.1 orvik-asigurati.1 changelog)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/${file} ${packaging_out}/${file} @ONLY)
  add_custom_command(OUTPUT ${packaging_out}/${file}.gz
                     COMMAND ${ORVIK_GZIP} -9nkf ${packaging_out}/${file}
                     DEPENDS ${packaging_out}/${file}
                     COMMENT "Compressing ${file} for the package")
  list(APPEND compressed ${packaging_out}/${file}.gz)
endforeach()
add_custom_target(orvik_package_files ALL DEPENDS ${compressed})
install(FILES ${packaging_out}/orvik-cli.1.gz ${packaging_out}/orvik-asigurati.1.gz
        DESTINATION share/man/man1)
install(FILES ${packaging_out}/changelog.gz ${packaging_out}/copyright
        DESTINATION share/doc/orvik-asigurati)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvik-asigurati)
set(CPACK_PACKAGE_VERSION ${ORVIK_VERSION})
set(CPACK_PACKAGE_VENDOR Orvik)
set(CPACK_PACKAGE_CONTACT ${ORVIK_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ORVIK_MAINTAINER})
# Debian has no office section; its office programs sit in the section of
# their desktop or in misc.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.orvik.example/asigurati")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries the programs link (Qt 6, the MariaDB client library) are found
# by dpkg-shlibdeps; what they run or draw with is named here: the database
# server they start and its tools (mariadb-install-db comes with the server,
# the mariadb and mariadb-dump clients with the client), and the fonts of the
# printouts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "mariadb-server, mariadb-client, fonts-liberation2")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "health insurance and medical leave declarations for Romanian employers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Orvik Asigurati keeps an employer's insured employees and their co-insured
dependants, the monthly health contributions and the monthly medical-leave
declarations, writes the declaration files for the health insurance houses
and FNUASS, and prints their annexes. Its texts are in Romanian.

The data lives in a MariaDB server that the program starts itself from its
installation folder; the first start prepares that folder. The package also
holds orvik-cli, for the same work from scripts, and the user manual.")
include(CPack)
