# Each layer globs its own sources, so adding a file never needs a CMake edit.
function(velmora_glob_sources out_var)
  file(GLOB_RECURSE _found CONFIGURE_DEPENDS ${ARGN})
  set(${out_var} ${_found} PARENT_SCOPE)
endfunction()

# A layer library: static, its headers included as "layer/Name.h".
function(velmora_layer_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()
