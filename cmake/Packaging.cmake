# Debian packages (make package): "kelvarin" for a panel (the program, the launcher, the
# systemd unit and the udev rules) and "kelvarin-tools" for the bench (the simulated main
# board, the pty link and the remote client). Library dependencies come from dpkg-shlibdeps.
set(KELVARIN_PANEL_LIB lib/kelvarin)

install(TARGETS kelvarin kelvarin-launch RUNTIME DESTINATION ${KELVARIN_PANEL_LIB} COMPONENT panel)
install(FILES ${PROJECT_SOURCE_DIR}/scripts/panel/kelvarin.service
        DESTINATION lib/systemd/system COMPONENT panel)
install(FILES ${PROJECT_SOURCE_DIR}/scripts/panel/70-kelvarin.rules
        DESTINATION lib/udev/rules.d COMPONENT panel)
install(TARGETS boardsim ptylink kvremote RUNTIME DESTINATION bin COMPONENT tools)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvarin)
set(CPACK_PACKAGE_VENDOR "Kelvarin project")
set(CPACK_PACKAGE_CONTACT "Kelvarin project <service@kelvarin.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Operating software of a two-channel dosimetry electrometer")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL panel tools)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
find_program(KELVARIN_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KELVARIN_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    message(STATUS "dpkg-shlibdeps not found: the packages name no library dependencies")
endif()

set(CPACK_DEBIAN_PANEL_PACKAGE_NAME kelvarin)
set(CPACK_DEBIAN_PANEL_PACKAGE_SECTION misc)
# The face the screens draw with, and the tool that makes the service user.
set(CPACK_DEBIAN_PANEL_PACKAGE_DEPENDS "fonts-dejavu-core, adduser")
set(CPACK_DEBIAN_PANEL_PACKAGE_RECOMMENDS "systemd, udev")
set(CPACK_DEBIAN_PANEL_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/scripts/panel/postinst ${PROJECT_SOURCE_DIR}/scripts/panel/prerm)
set(CPACK_DEBIAN_PANEL_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_COMPONENT_PANEL_DESCRIPTION "The instrument program and its launcher, run full screen on the panel's console by systemd")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME kelvarin-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_TOOLS_DESCRIPTION "Bench tools: the simulated main board, a pty link and the remote-port client")

include(CPack)
