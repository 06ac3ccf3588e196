# On Windows each program carries the file version (1.0.0.2 for 1.0.2) in
# its version resource.
function(quorvane_version_resource target description)
    if(WIN32)
        set(QUORVANE_RC_NAME "${target}")
        set(QUORVANE_RC_DESCRIPTION "${description}")
        configure_file("${PROJECT_SOURCE_DIR}/cmake/version.rc.in"
                       "${PROJECT_BINARY_DIR}/generated/${target}.rc" @ONLY)
        target_sources(${target} PRIVATE "${PROJECT_BINARY_DIR}/generated/${target}.rc")
    endif()
endfunction()
quorvane_version_resource(quorvane-cli "Quorvane on the command line")
if(QUORVANE_GUI)
    quorvane_version_resource(quorvane "Quorvane")
endif()
