# Each library of src/ is one layer and sees only its own folders and the layers it links:
# tidewell_layer gives the target an include folder in the build tree holding links to the
# named source folders (FOLDERS: the whole folder; HEADERS: only the headers directly in it,
# not its sub-folders). A folder not linked there cannot be included, so an include of a
# higher layer fails to compile.
function(tidewell_layer target)
  cmake_parse_arguments(L "" "" "FOLDERS;HEADERS" ${ARGN})
  set(view ${PROJECT_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${view})
  foreach(folder ${L_FOLDERS})
    get_filename_component(parent ${view}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${view}/${folder} SYMBOLIC COPY_ON_ERROR)
  endforeach()
  foreach(folder ${L_HEADERS})
    file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
    file(MAKE_DIRECTORY ${view}/${folder})
    foreach(header ${headers})
      get_filename_component(name ${header} NAME)
      file(CREATE_LINK ${header} ${view}/${folder}/${name} SYMBOLIC COPY_ON_ERROR)
    endforeach()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${view})
  else()
    target_include_directories(${target} PUBLIC ${view})
  endif()
endfunction()

# One feature folder of src/ as its own library: it sees core, the platform interfaces and
# only the features named after USES (linked privately, so that what a feature uses stays
# out of the view of those that use it).
function(tidewell_feature name)
  cmake_parse_arguments(F "" "" "USES" ${ARGN})
  add_library(tidewell_${name} STATIC)
  tidewell_layer(tidewell_${name} FOLDERS ${name})
  target_link_libraries(tidewell_${name} PUBLIC tidewell_core)
  foreach(used ${F_USES})
    target_link_libraries(tidewell_${name} PRIVATE tidewell_${used})
  endforeach()
  add_subdirectory(${name})
endfunction()
