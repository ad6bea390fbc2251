# Installation and the Debian package: both programs, the demo flight, a desktop entry
# with its icon, and the ".flt" file type, so a double-click on a flight opens it.
#
#   cmake --install build --prefix /usr/local       (or a staging folder)
#   cd build && cpack -G DEB                        (tavokit_<version>_<arch>.deb)
include(GNUInstallDirs)

install(TARGETS tavokit tavokit-cli zr7sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/demo.flt DESTINATION ${CMAKE_INSTALL_DATADIR}/tavokit)
# The motor collection Predict lists first.
file(GLOB TAVOKIT_MOTOR_FILES ${PROJECT_SOURCE_DIR}/data/motors/*.eng
     ${PROJECT_SOURCE_DIR}/data/motors/real/*.eng)
install(FILES ${TAVOKIT_MOTOR_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/tavokit/motors)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tavokit.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tavokit.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tavokit-flight.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

set(CPACK_PACKAGE_NAME tavokit)
set(CPACK_PACKAGE_VENDOR "TAVOkit developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Ground companion of the ZR7 model-rocket flight recorder")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TAVOkit developers <tavokit@localhost>")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "TAVOkit configures the ZR7 accelerometer flight recorder over a serial port,\ndownloads recorded flights, draws acceleration, velocity and altitude, reports\nthe motor and the drag coefficient, and exports CSV and ENG thrust curves.")
# The menus, icons and file types learn of the new entry when the package lands.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst
    ${PROJECT_SOURCE_DIR}/packaging/postrm)
include(CPack)
