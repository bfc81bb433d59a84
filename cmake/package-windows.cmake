# The Windows zip: the header and .def at the top, each architecture's DLL,
# mingw import library, tool and example host in a folder of its own. The
# i686 build (the product's target) makes the zip; CRV_PACKAGE_X64_DIR names
# a finished x86-64 build whose files join it.
set(CRV_PACKAGE_X64_DIR "" CACHE PATH "Build folder of the x86-64 build to add to the zip")

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(crv_arch_dir x86)
else()
    set(crv_arch_dir x64)
endif()

install(TARGETS crvsdk RUNTIME DESTINATION ${crv_arch_dir} ARCHIVE DESTINATION ${crv_arch_dir})
if(TARGET crvcompress)
    install(TARGETS crvcompress RUNTIME DESTINATION ${crv_arch_dir})
endif()
# The example host finds crvsdk.dll beside itself.
install(TARGETS crvdemo RUNTIME DESTINATION ${crv_arch_dir})
install(FILES sdk/crvsdk.h sdk/crvsdk.def DESTINATION .)
install(FILES cmake/README-windows.txt DESTINATION . RENAME README.txt)

if(CRV_PACKAGE_X64_DIR)
    install(FILES ${CRV_PACKAGE_X64_DIR}/sdk/crvsdk.dll ${CRV_PACKAGE_X64_DIR}/sdk/libcrvsdk.dll.a
        DESTINATION x64)
    install(PROGRAMS ${CRV_PACKAGE_X64_DIR}/cli/crvcompress.exe DESTINATION x64 OPTIONAL)
    install(PROGRAMS ${CRV_PACKAGE_X64_DIR}/example/crvdemo.exe DESTINATION x64)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME crvsdk)
set(CPACK_PACKAGE_VENDOR "HTML Corvane")
set(CPACK_PACKAGE_FILE_NAME crvsdk-${PROJECT_VERSION}-windows)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
