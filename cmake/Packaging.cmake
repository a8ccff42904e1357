# The Windows programs' version resources and manifests, and the packages `--target package`
# makes of them: an NSIS installer for one user (cmake/packaging/NSIS.template.in) and a zip.
set(TOLVINARK_VENDOR "Tolvinark")
set(TOLVINARK_COPYRIGHT "© 2019–2026 Tolvinark")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TOLVINARK_PACKAGE_SYSTEM win64)
    set(nsis_target amd64-unicode)
else()
    set(TOLVINARK_PACKAGE_SYSTEM win32)
    set(nsis_target x86-unicode)
endif()

function(tolvinark_version_resource target description)
    set(TOLVINARK_RC_NAME ${target})
    set(TOLVINARK_RC_FILE ${target}.exe)
    set(TOLVINARK_RC_DESCRIPTION "${description}")
    set(manifest ${PROJECT_SOURCE_DIR}/resources/tolvinark.manifest)
    if(MSVC)
        # The MSVC linker writes a manifest of its own and merges the ones listed as sources.
        set(TOLVINARK_RC_MANIFEST "")
        target_sources(${target} PRIVATE ${manifest})
    else()
        set(TOLVINARK_RC_MANIFEST "CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${manifest}\"")
    endif()
    set(rc ${PROJECT_BINARY_DIR}/resources/${target}-version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()

tolvinark_version_resource(tolvinark "Просмотр измерений пылемера")
tolvinark_version_resource(tolvinark-cli "Измерения пылемера в командной строке")

# Both packages hold the same flat folder.
configure_file(${PROJECT_SOURCE_DIR}/cmake/packaging/README.txt.in
               ${PROJECT_BINARY_DIR}/packaging/README.txt @ONLY)
install(TARGETS tolvinark tolvinark-cli RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/resources/samples/demo.dst
              ${PROJECT_BINARY_DIR}/packaging/README.txt DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR ${TOLVINARK_VENDOR})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(TOLVINARK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${TOLVINARK_PACKAGE_SYSTEM})
set(CPACK_PACKAGE_FILE_NAME ${TOLVINARK_PACKAGE_FILE_NAME})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
# The installer script is the project's own: CMake's asks for administrator rights.
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/packaging)
set(CPACK_TOLVINARK_NSIS_TARGET ${nsis_target})
set(CPACK_TOLVINARK_ICON ${PROJECT_SOURCE_DIR}/resources/icons/icon_big.ico)
include(CPack)
