# The preview players play through libmpv.
pkg_check_modules(MPV REQUIRED IMPORTED_TARGET mpv)
target_link_libraries(ravenmoor_platform_gui PUBLIC PkgConfig::MPV)
