# What `cmake --install` puts in place. Linux: the library, its header, the
# tool and its man page, a CMake package (find_package(crvsdk) gives
# crvsdk::crvsdk) and a pkg-config file. Windows: the layout of the zip.
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/package-windows.cmake)
    return()
endif()

include(CMakePackageConfigHelpers)

set(crv_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/crvsdk)

install(TARGETS crvsdk EXPORT crvsdkTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES sdk/crvsdk.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS crvcompress RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES cli/crvcompress.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(EXPORT crvsdkTargets NAMESPACE crvsdk:: DESTINATION ${crv_cmake_dir})
configure_package_config_file(cmake/crvsdkConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/crvsdkConfig.cmake INSTALL_DESTINATION ${crv_cmake_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/crvsdkConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/crvsdkConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/crvsdkConfigVersion.cmake
    DESTINATION ${crv_cmake_dir})

file(RELATIVE_PATH crv_pc_to_prefix /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/crvsdk.pc.in ${CMAKE_CURRENT_BINARY_DIR}/crvsdk.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/crvsdk.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
