# Install rules and the Debian package.
#
#   cmake --install build [--prefix DIR]   the game, its manual pages and its README
#   cpack -G DEB (in the build folder)      tarnwick_<version>_<arch>.deb
#
# The game goes where a Linux system keeps its games: PREFIX/games when that folder exists or
# the prefix is /usr or /usr/local (as Debian does, /usr/games), PREFIX/bin otherwise. The
# choice is made when installing, so `cmake --install build --prefix ~/.local` puts the game in
# ~/.local/bin. TARNWICK_INSTALL_GAMESDIR forces one folder (relative to the prefix).
include(GNUInstallDirs)
# Folders made by installing are rwxr-xr-x whatever the umask, as a package's must be.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(TARNWICK_INSTALL_GAMESDIR "" CACHE STRING
    "Folder of the game below the prefix (empty: games where the prefix has one, else bin)")

install(CODE "
    set(tarnwick_games_dir \"${TARNWICK_INSTALL_GAMESDIR}\")
    if(tarnwick_games_dir STREQUAL \"\")
        if(IS_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games\"
           OR CMAKE_INSTALL_PREFIX MATCHES \"^/usr(/local)?/?\$\")
            set(tarnwick_games_dir games)
        else()
            set(tarnwick_games_dir \"${CMAKE_INSTALL_BINDIR}\")
        endif()
    endif()
")
# The destination is expanded when installing, after the choice above.
install(TARGETS tarnwick RUNTIME DESTINATION "\${tarnwick_games_dir}")
# A stripped game (the package's, or `cmake --install --strip`) also loses the compilers'
# version notes, as Debian strips its binaries.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${tarnwick_games_dir}/tarnwick\"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
")

# Files compressed as Debian wants them (gzip -9n: no name, no time stamp, so the package is
# the same from one build to the next). They are compressed when configuring, so that
# installing needs no build step; an edit of a source configures again.
function(tarnwick_install_compressed source destination name)
    string(REPLACE "/" "_" staged "${destination}")
    set(compressed "${PROJECT_BINARY_DIR}/compressed/${staged}/${name}")
    file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/compressed/${staged}")
    execute_process(COMMAND gzip -9nc "${PROJECT_SOURCE_DIR}/${source}"
                    OUTPUT_FILE "${compressed}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip of ${source} failed: ${status}")
    endif()
    set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 "${PROJECT_SOURCE_DIR}/${source}")
    install(FILES "${compressed}" DESTINATION "${destination}")
endfunction()
tarnwick_install_compressed(doc/tarnwick.6 "${CMAKE_INSTALL_MANDIR}/man6" tarnwick.6.gz)
tarnwick_install_compressed(doc/tarnwick.zh_CN.6 "${CMAKE_INSTALL_MANDIR}/zh_CN/man6"
                            tarnwick.6.gz)
tarnwick_install_compressed(doc/changelog.Debian "${CMAKE_INSTALL_DOCDIR}" changelog.Debian.gz)

install(FILES "${PROJECT_SOURCE_DIR}/README.md" DESTINATION "${CMAKE_INSTALL_DOCDIR}")

set(TARNWICK_MAINTAINER "Tarnwick developers <maintainers@tarnwick.invalid>")

# The copyright file in Debian's machine-readable format, made from LICENSE: its copyright line
# and its text, each line of the text indented by one blank and an empty line written " .".
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" licence)
if(NOT licence MATCHES "^MIT License\n\nCopyright \\(c\\) ([^\n]+)\n\n(.+[^\n])\n*$")
    message(FATAL_ERROR "LICENSE: expected the MIT title, a copyright line and the text")
endif()
set(licence_holders "${CMAKE_MATCH_1}")
string(REPLACE "\n\n" "\n.\n" licence_text "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " licence_text " ${licence_text}")
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/copyright" @ONLY CONTENT [[
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: tarnwick
Upstream-Contact: @TARNWICK_MAINTAINER@

Files: *
Copyright: @licence_holders@
License: Expat
@licence_text@
]])
set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             "${PROJECT_SOURCE_DIR}/LICENSE")
install(FILES "${PROJECT_BINARY_DIR}/copyright" DESTINATION "${CMAKE_INSTALL_DOCDIR}")

# The package's version is the project's with the Debian revision of the changelog's first
# entry, which must be an entry for the project's version.
file(STRINGS "${PROJECT_SOURCE_DIR}/doc/changelog.Debian" changelog_top LIMIT_COUNT 1)
string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
if(NOT changelog_top MATCHES "^tarnwick \\(${version_pattern}-([0-9A-Za-z.+~]+)\\) ")
    message(FATAL_ERROR "doc/changelog.Debian: the first entry is not one for version "
                        "${PROJECT_VERSION}, as \"tarnwick (${PROJECT_VERSION}-1) ...\"")
endif()
set(tarnwick_debian_revision "${CMAKE_MATCH_1}")

# The Debian package: the same install rules below /usr, so the game lands in /usr/games.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_PACKAGE_RELEASE "${tarnwick_debian_revision}")
set(CPACK_PACKAGE_CONTACT "${TARNWICK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "maze game for the text terminal, in Chinese")
# Debian wants the lines of the long description below 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tarnwick is a single-player maze game for the text terminal, with all of\n"
    "its texts in Chinese. Walk a random maze with w a s d, dodge the monsters,\n"
    "pick up coins, buy lives, a knife and a gun in the shop, and step onto the\n"
    "exit. Five modes change the rules: timed, auto-walk, endless, war-god and a\n"
    "fixed picture maze. Tones play through ALSA.")
# Install into the package with DESTDIR and the prefix /usr (not the staging folder as the
# prefix), so that the rule above sees /usr and picks /usr/games.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TARNWICK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Run-time libraries found from the binary by dpkg-shlibdeps (dpkg-dev): libc6, libstdc++6,
# libgcc-s1, libtinfo6 and, with sound, libasound2.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# On a desktop ALSA's default device reaches the sound server through one of these.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pipewire-alsa | libasound2-plugins")
include(CPack)
