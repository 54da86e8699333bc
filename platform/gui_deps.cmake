# The preview players play through libmpv, opened at run time on first use
# (platform/player/mpv_library.cpp): only its header is needed here, so the
# program starts without loading it and its ffmpeg libraries.
pkg_check_modules(MPV REQUIRED mpv)
target_include_directories(ravenmoor_platform_gui PRIVATE ${MPV_INCLUDE_DIRS})
target_compile_options(ravenmoor_platform_gui PRIVATE ${MPV_CFLAGS_OTHER})
target_link_libraries(ravenmoor_platform_gui PUBLIC ${CMAKE_DL_LIBS})
