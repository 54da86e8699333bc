# -DRAVENMOOR_SANITIZE=ON: every target, the stand-in encoders included, is built with
# AddressSanitizer and UBSan; any undefined-behaviour report stops the program, so it fails its test.
if(RAVENMOOR_SANITIZE)
  set(RAVENMOOR_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${RAVENMOOR_SANITIZE_FLAGS})
  add_link_options(${RAVENMOOR_SANITIZE_FLAGS})
  # Lets the few checks that measure resident memory step aside: the sanitizer's shadow memory
  # and quarantine make those figures meaningless.
  add_compile_definitions(RAVENMOOR_SANITIZE)
endif()
