# The Win32 message, input and file boxes, the tray icon with its notification balloons and the one-copy claim: platform
# pieces that need the user interface's libraries. Included once, by whichever comes first of
# the backend's list and the Win32 front end.
include_guard(GLOBAL)
target_sources(tidewell_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/balloon_notifier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/escaped_failure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_one_copy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_tray_host.cpp
)
target_link_libraries(tidewell_platform PUBLIC comctl32 shell32 user32)
