# The Debian packages, made by CPack's DEB generator (cmake --build --preset release --target deb):
#   fragdocker         the program with its window;
#   fragdocker-server  the same command line without the window, for machines with no display.
# Both install the command as /usr/bin/fragdocker, with the data that comes with it, the manual
# page and the systemd user unit: one name, whichever package a machine has, so that the unit,
# scripts and set-ups move between desktop and server unchanged; one replaces the other. Only
# the application folder, which holds both programs side by side, names the one without the
# window fragdocker-server.
set(fd_deb_dir ${CMAKE_CURRENT_BINARY_DIR}/debian)
set(fd_deb_components fragdocker fragdocker-server)

# The unit, running the installed program; an installed program writes in the XDG data home.
file(READ fragdocker-server@.service fd_unit)
string(REPLACE "%h/FragDocker/fragdocker-server" /usr/bin/fragdocker
               fd_unit "${fd_unit}")
string(REPLACE "%h/FragDocker" "%h/.local/share/fragdocker" fd_unit "${fd_unit}")
# The sandbox can write only folders that exist when the server starts, and the user's data
# folder is made at the program's first start: made beforehand, outside the sandbox.
string(REPLACE "ExecStart=" "ExecStartPre=+/usr/bin/mkdir -p %h/.local/share/fragdocker\nExecStart="
               fd_unit "${fd_unit}")
string(REGEX REPLACE "#[^\n]*(~/.config/systemd/user|adjust ExecStart)[^\n]*\n" "" fd_unit
                     "${fd_unit}")
file(WRITE ${fd_deb_dir}/fragdocker-server@.service "${fd_unit}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/fragdocker-server@.service)

set(fd_metainfo io.github.fragdocker.FragDocker.metainfo.xml) # named by its AppStream id
configure_file(debian/${fd_metainfo} ${fd_deb_dir}/${fd_metainfo} @ONLY)
configure_file(debian/fragdocker.1 ${fd_deb_dir}/fragdocker.1 @ONLY)
configure_file(debian/changelog.in ${fd_deb_dir}/changelog @ONLY)

# Compressed as Debian wants them: the manual page and the changelog, reproducibly.
foreach(file fragdocker.1 changelog)
    add_custom_command(OUTPUT ${fd_deb_dir}/${file}.gz
                       COMMAND gzip -n -9 -c ${fd_deb_dir}/${file} > ${fd_deb_dir}/${file}.gz
                       DEPENDS ${fd_deb_dir}/${file})
endforeach()
# The icon in each size of the icon theme.
add_custom_command(OUTPUT ${fd_deb_dir}/icons/512x512/apps/fragdocker.png
                   COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                           $<TARGET_FILE:fd_gen_assets> --theme-icons ${fd_deb_dir}/icons
                   DEPENDS fd_gen_assets)
add_custom_target(fd_deb_files DEPENDS ${fd_deb_dir}/fragdocker.1.gz ${fd_deb_dir}/changelog.gz
                                       ${fd_deb_dir}/icons/512x512/apps/fragdocker.png)

# The data that comes with the program, as the source holds it (the application folder's
# copies may have been edited) and as the build generated it.
foreach(component IN LISTS fd_deb_components)
    set(data share/fragdocker)
    install(FILES ${PROJECT_SOURCE_DIR}/data/map.ini ${PROJECT_SOURCE_DIR}/data/bots.ini
                  ${PROJECT_SOURCE_DIR}/data/How_to_add_bots.txt
            DESTINATION ${data} COMPONENT ${component})
    install(DIRECTORY ${FD_APP_DIR}/map_images ${FD_APP_DIR}/WAVS DESTINATION ${data}
            COMPONENT ${component})
    install(FILES ${FD_APP_DIR}/banner.bmp ${FD_APP_DIR}/fragdocker.png DESTINATION ${data}
            COMPONENT ${component})
    install(FILES ${fd_deb_dir}/fragdocker.1.gz DESTINATION share/man/man1 COMPONENT ${component})
    install(FILES ${fd_deb_dir}/fragdocker-server@.service DESTINATION lib/systemd/user
            COMPONENT ${component})
    install(FILES debian/copyright ${fd_deb_dir}/changelog.gz
            DESTINATION share/doc/${component} COMPONENT ${component})
endforeach()
install(TARGETS fragdocker RUNTIME DESTINATION bin COMPONENT fragdocker)
install(PROGRAMS $<TARGET_FILE:fragdocker-server> DESTINATION bin RENAME fragdocker
        COMPONENT fragdocker-server)
# Stripped as install(TARGETS) strips the window's program, which a renamed copy is not.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/fragdocker\")
endif()" COMPONENT fragdocker-server)
install(FILES debian/fragdocker.desktop DESTINATION share/applications COMPONENT fragdocker)
install(FILES ${fd_deb_dir}/${fd_metainfo} DESTINATION share/metainfo
        COMPONENT fragdocker)
install(DIRECTORY ${fd_deb_dir}/icons/ DESTINATION share/icons/hicolor COMPONENT fragdocker)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
# Not "games": that section is for the games themselves, which Debian keeps in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "FragDocker developers <fragdocker@googlegroups.com>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS wine)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FRAGDOCKER_PACKAGE_NAME fragdocker)
set(CPACK_DEBIAN_FRAGDOCKER-SERVER_PACKAGE_NAME fragdocker-server)
# The window's platform plugin, its fonts and the cue player; the server needs none of them.
set(CPACK_DEBIAN_FRAGDOCKER_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-dejavu-core, fonts-comic-neue, fonts-liberation2, alsa-utils")
# libcurl speaks to an Agones sidecar; the program loads it only then, so dpkg-shlibdeps cannot
# see it. A server needs it; the window's package only suggests it.
set(CPACK_DEBIAN_FRAGDOCKER-SERVER_PACKAGE_DEPENDS "libcurl4 | libcurl3-gnutls")
set(CPACK_DEBIAN_FRAGDOCKER_PACKAGE_SUGGESTS "libcurl4 | libcurl3-gnutls")
set(CPACK_DEBIAN_FRAGDOCKER_PACKAGE_CONFLICTS fragdocker-server)
set(CPACK_DEBIAN_FRAGDOCKER-SERVER_PACKAGE_CONFLICTS fragdocker)
set(CPACK_DEBIAN_FRAGDOCKER_PACKAGE_REPLACES fragdocker-server)
set(CPACK_DEBIAN_FRAGDOCKER-SERVER_PACKAGE_REPLACES fragdocker)
set(CPACK_COMPONENT_FRAGDOCKER_DESCRIPTION
    "set up and start an Elite Force multiplayer server
FragDocker hosts a multiplayer (Holomatch) server of the game Star Trek:
Voyager - Elite Force under Wine. One tabbed window holds every server
setting, a map rotation and a bot roster; seven set-ups can be saved, and
ENGAGE writes the game's configuration script and starts its server.
The same set-ups start from the command line and from a systemd user unit.")
set(CPACK_COMPONENT_FRAGDOCKER-SERVER_DESCRIPTION
    "Elite Force server launcher for machines without a display
The command line of FragDocker without its window: it lists the save slots
made in FragDocker's window, prints a slot's configuration script, and starts
the game's server with it, also from the systemd user unit it ships. It needs
no display and no graphical library.")

add_custom_target(deb
    COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
    DEPENDS fragdocker fragdocker-server fd_assets fd_map_images fd_deb_files
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Making the Debian packages in ${CMAKE_BINARY_DIR}/package"
    VERBATIM)
