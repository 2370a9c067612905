# The one place that chooses the platform backend and finds the packages it needs. A backend
# is a folder beside this file whose CMakeLists.txt defines the library tidewell_platform,
# holding displayProblem() and makePlatformServices() (platform/services.h), which build
# every service, over what platform/common gives every backend. Adding a backend is adding
# its folder and its branch here. Packages are found GLOBAL so that the backend's tests can
# use them too.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GIO REQUIRED IMPORTED_TARGET GLOBAL gio-2.0 gio-unix-2.0)
  pkg_check_modules(GLIB REQUIRED IMPORTED_TARGET GLOBAL glib-2.0)
  find_package(X11 REQUIRED GLOBAL)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/qt)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/linux)
elseif(WIN32)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/win32)
else()
  message(FATAL_ERROR "Tidewell has platform backends for Linux and Windows only")
endif()
