# Read by cpack for each generator: the tarball holds the application folder, the Debian
# generator makes the two packages installed under /usr.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_COMPONENTS_ALL fragdocker fragdocker-server)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_STRIP_FILES ON)
else()
    set(CPACK_COMPONENTS_ALL portable)
    set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
endif()
