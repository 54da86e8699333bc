# The IFO reader reads title sets through libdvdread.
pkg_check_modules(DVDREAD REQUIRED IMPORTED_TARGET dvdread)
target_link_libraries(ravenmoor_platform PUBLIC PkgConfig::DVDREAD)

# The HTTP download goes through libcurl.
pkg_check_modules(LIBCURL REQUIRED IMPORTED_TARGET libcurl)
target_link_libraries(ravenmoor_platform PUBLIC PkgConfig::LIBCURL)

# The Blu-ray playlist parser reads discs through libbluray.
pkg_check_modules(BLURAY REQUIRED IMPORTED_TARGET libbluray)
target_link_libraries(ravenmoor_platform PUBLIC PkgConfig::BLURAY)
