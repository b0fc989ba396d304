# One Debian package per component. The camera simulator is not packaged: it only
# works under umockdev's preload, serves the tests and the demo from the build folder,
# and an installed fake camera would only confuse an administrator.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME petrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vireo developers <vireo@example.org>")
# The install rules see the final prefix, which petrel.pc records.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL library development udev petrelctl vireo)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libpetrel1 tells programs built against it which version they need at least.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# libPetrel.so.1 is in no installed package yet when the others are built: find it
# here; the packages name libpetrel1 through their component dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libpetrel1)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "body-worn camera device library
 Petrel finds body-worn video cameras on USB and as camera disks, and offers
 every camera operation (identity, settings, network, encryption, passwords,
 clock, storage) as a flat C function.")
set(CPACK_COMPONENT_LIBRARY_DEPENDS udev)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libpetrel-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "body-worn camera device library - development files
 The C header petrel.h, the libPetrel.so link and the pkg-config file petrel.pc
 for programs that use the Petrel device library.")
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS library)

set(CPACK_DEBIAN_UDEV_PACKAGE_NAME petrel-udev)
set(CPACK_DEBIAN_UDEV_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_UDEV_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_UDEV_DESCRIPTION "body-worn camera device access for the logged-in user
 A udev rule that lets the user at the computer and the group plugdev open a
 body-worn camera's USB device and its camera disk, so the Petrel library and
 its programs need no root rights.")
set(CPACK_DEBIAN_UDEV_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian/postinst ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_UDEV_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_PETRELCTL_PACKAGE_NAME petrelctl)
set(CPACK_DEBIAN_PETRELCTL_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PETRELCTL_DESCRIPTION "administer body-worn cameras from the command line
 petrelctl lists body-worn cameras, shows and changes their identity, settings,
 network, WiFi, Bluetooth, 4G and encryption, sets clocks and passwords, backs
 up and restores settings, and applies one profile to many cameras at once.
 Every change it makes is recorded in the systemd journal (catalog included).")
set(CPACK_COMPONENT_PETRELCTL_DEPENDS library)

set(CPACK_DEBIAN_VIREO_PACKAGE_NAME vireo)
set(CPACK_DEBIAN_VIREO_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_VIREO_DESCRIPTION "desktop manager for body-worn cameras
 Vireo logs in to a body-worn camera as General User or Administrator and shows
 its identity, settings, network, encryption and passwords on tabbed pages.
 A German translation is included.")
set(CPACK_COMPONENT_VIREO_DEPENDS library)

include(CPack)
