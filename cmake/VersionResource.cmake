# On Windows each program carries the file version (1.0.0.2 for 1.0.2) in
# its version resource; the window program also carries its icon, which
# Explorer and the taskbar show.
if(WIN32)
    enable_language(RC)
endif()
function(quorvane_version_resource target description)
    if(NOT WIN32)
        return()
    endif()
    set(QUORVANE_RC_NAME "${target}")
    set(QUORVANE_RC_DESCRIPTION "${description}")
    set(QUORVANE_RC_ICON "")
    if(ARGC GREATER 2)
        # windres reads the name as a C string: its backslashes would be escapes.
        file(TO_CMAKE_PATH "${ARGV2}" icon)
        set(QUORVANE_RC_ICON "1 ICON \"${icon}\"")
    endif()
    configure_file("${PROJECT_SOURCE_DIR}/cmake/version.rc.in"
                   "${PROJECT_BINARY_DIR}/generated/${target}.rc" @ONLY)
    target_sources(${target} PRIVATE "${PROJECT_BINARY_DIR}/generated/${target}.rc")
endfunction()
quorvane_version_resource(quorvane-cli "Quorvane on the command line")
if(QUORVANE_GUI)
    quorvane_version_resource(quorvane "Quorvane" "${PROJECT_SOURCE_DIR}/data/icons/quorvane.ico")
endif()
