# Applied to every target of ours through tidewell_warnings.
add_library(tidewell_warnings INTERFACE)
target_compile_options(tidewell_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                   -Wnon-virtual-dtor -Wold-style-cast
                                                   -Wcast-align -Woverloaded-virtual)
if(TIDEWELL_WERROR)
  target_compile_options(tidewell_warnings INTERFACE -Werror)
endif()
if(TIDEWELL_SANITIZE)
  target_compile_options(tidewell_warnings INTERFACE -fsanitize=address,undefined
                                                     -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tidewell_warnings INTERFACE -fsanitize=address,undefined)
endif()
