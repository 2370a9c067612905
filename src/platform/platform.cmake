# The one place that chooses the real implementation of each platform interface.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  target_sources(tidewell_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/linux/system_clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/qt_locale_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/qt_one_copy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/ini_settings_store.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/qt_event_pump.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/proc_processes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/detached_spawn.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/gio_launcher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/x11_windows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/xdg_autostart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/qt_clipboard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/aligned_ticks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linux/wall_clock_timer.cpp
  )
  target_link_libraries(tidewell_platform PUBLIC PkgConfig::GIO X11::X11 X11::XRes Qt6::DBus
                                                Qt6::Network)
else()
  message(FATAL_ERROR "Tidewell has platform code for Linux only so far")
endif()
