# The IFO reader reads title sets through libdvdread.
pkg_check_modules(DVDREAD REQUIRED IMPORTED_TARGET dvdread)
target_link_libraries(ravenmoor_platform PUBLIC PkgConfig::DVDREAD)

# The HTTP download goes through libcurl, opened at run time on the first
# transfer (platform/http/curl_library.cpp): only its header is needed here,
# so the program starts without loading it and the libraries it brings.
pkg_check_modules(LIBCURL REQUIRED libcurl)
target_include_directories(ravenmoor_platform PRIVATE ${LIBCURL_INCLUDE_DIRS})
target_compile_options(ravenmoor_platform PRIVATE ${LIBCURL_CFLAGS_OTHER})
target_link_libraries(ravenmoor_platform PUBLIC ${CMAKE_DL_LIBS})

# The Blu-ray playlist parser reads discs through libbluray.
pkg_check_modules(BLURAY REQUIRED IMPORTED_TARGET libbluray)
target_link_libraries(ravenmoor_platform PUBLIC PkgConfig::BLURAY)
