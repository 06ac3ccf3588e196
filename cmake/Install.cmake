# What `cmake --install` puts on disk, in the folders GNUInstallDirs names:
# both programs, the desktop entry, the AppStream metainfo, the icons, the
# manual pages, bash completion and the licence. The Debian package is built
# from the same rules (cmake/Package.cmake).

set(QUORVANE_SCREENSHOT_URL "https://quorvane.invalid/docs/main-window.png" CACHE STRING
    "Where the published copy of docs/main-window.png lies, for the metainfo's screenshot")
if(DEFINED ENV{DEBEMAIL})
    set(maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
    # The project has no mail address of its own; "invalid" is the top-level
    # domain reserved never to be anyone's.
    set(maintainer "the Quorvane project <packages@quorvane.invalid>")
endif()
set(QUORVANE_MAINTAINER "${maintainer}" CACHE STRING
    "Who answers for the Debian package: Name <address> (DEBFULLNAME and DEBEMAIL by default)")

# The release date as a Debian changelog writes it: "Tue, 08 Dec 2026 00:00:00 +0000".
string(REGEX MATCH "^([0-9]+)-0*([0-9]+)-0*([0-9]+)$" date "${QUORVANE_RELEASE_DATE}")
set(year ${CMAKE_MATCH_1})
set(month ${CMAKE_MATCH_2})
set(day ${CMAKE_MATCH_3})
set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR index "${month} - 1")
list(GET offsets ${index} offset)
if(month LESS 3)
    math(EXPR y "${year} - 1")
else()
    set(y ${year})
endif()
math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
set(weekdays Sun Mon Tue Wed Thu Fri Sat)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET weekdays ${weekday} weekday)
list(GET months ${index} monthName)
string(REGEX REPLACE "^([0-9])$" "0\\1" day "${day}")
set(QUORVANE_RELEASE_TIME "${weekday}, ${day} ${monthName} ${year} 00:00:00 +0000")

set(QUORVANE_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvane")
set(data "${PROJECT_SOURCE_DIR}/data")
set(generated "${PROJECT_BINARY_DIR}/data")

# Manual pages and the Debian changelog are installed compressed, as man
# and Debian expect; -n leaves out the time stamp, so builds are repeatable.
function(quorvane_gzip source target)
    add_custom_command(OUTPUT "${target}"
        COMMAND gzip -9n -c "${source}" > "${target}"
        DEPENDS "${source}" VERBATIM)
endfunction()

set(manpages quorvane-cli)
if(QUORVANE_GUI)
    list(APPEND manpages quorvane)
endif()
set(compressed)
foreach(page IN LISTS manpages)
    configure_file("${data}/man/${page}.1.in" "${generated}/${page}.1" @ONLY)
    quorvane_gzip("${generated}/${page}.1" "${generated}/${page}.1.gz")
    list(APPEND compressed "${generated}/${page}.1.gz")
    install(FILES "${generated}/${page}.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endforeach()
configure_file("${data}/debian/changelog.in" "${generated}/changelog" @ONLY)
quorvane_gzip("${generated}/changelog" "${generated}/changelog.gz")
add_custom_target(compressed_data ALL DEPENDS ${compressed} "${generated}/changelog.gz")

install(TARGETS quorvane-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${data}/completion/quorvane-cli"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")

if(QUORVANE_GUI)
    install(TARGETS quorvane RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
    configure_file("${data}/quorvane.desktop.in" "${generated}/${QUORVANE_APP_ID}.desktop" @ONLY)
    configure_file("${data}/quorvane.metainfo.xml.in"
                   "${generated}/${QUORVANE_APP_ID}.metainfo.xml" @ONLY)
    install(FILES "${generated}/${QUORVANE_APP_ID}.desktop"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${generated}/${QUORVANE_APP_ID}.metainfo.xml"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    # The PNGs are rendered from the SVG: rsvg-convert -w N -h N quorvane.svg.
    set(icons "${CMAKE_INSTALL_DATADIR}/icons/hicolor")
    install(FILES "${data}/icons/quorvane.svg" DESTINATION "${icons}/scalable/apps"
            RENAME "${QUORVANE_APP_ID}.svg")
    foreach(size 16 22 32 48 64 128 256)
        install(FILES "${data}/icons/${size}x${size}/quorvane.png"
                DESTINATION "${icons}/${size}x${size}/apps" RENAME "${QUORVANE_APP_ID}.png")
    endforeach()
endif()

# The licence's full text, for installations without a copy of their own.
# A Debian system has one: its package carries the copyright file below,
# which refers to it, instead.
install(FILES LICENSE DESTINATION "${QUORVANE_DOCDIR}" COMPONENT license)
install(FILES "${data}/debian/copyright" "${generated}/changelog.gz"
        DESTINATION "${QUORVANE_DOCDIR}" COMPONENT debian EXCLUDE_FROM_ALL)
