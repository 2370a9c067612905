# `cmake --build build --target format` rewrites; `format-check` only reports.
find_program(CLANG_FORMAT_EXE NAMES clang-format clang-format-14)
if(CLANG_FORMAT_EXE)
  file(GLOB_RECURSE TIDEWELL_FORMAT_FILES CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h
       ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h
       ${CMAKE_SOURCE_DIR}/bench/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.h)
  add_custom_target(format COMMAND ${CLANG_FORMAT_EXE} -i ${TIDEWELL_FORMAT_FILES}
                    COMMENT "clang-format" VERBATIM)
  add_custom_target(format-check COMMAND ${CLANG_FORMAT_EXE} --dry-run --Werror ${TIDEWELL_FORMAT_FILES}
                    COMMENT "clang-format check" VERBATIM)
endif()
