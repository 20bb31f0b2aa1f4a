# Warnings and sanitizers for our own targets only (third-party headers are SYSTEM).
add_library(kalvor_options INTERFACE)
target_compile_options(kalvor_options INTERFACE -Wall -Wextra)
target_include_directories(kalvor_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(KALVOR_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_compile_options(kalvor_options INTERFACE ${_san})
  target_link_options(kalvor_options INTERFACE ${_san})
endif()

if(KALVOR_FUZZ)
  target_compile_options(kalvor_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(kalvor_options INTERFACE -fsanitize=address,undefined)
endif()

if(KALVOR_SANITIZE OR KALVOR_FUZZ)
  target_sources(kalvor_options INTERFACE ${PROJECT_SOURCE_DIR}/cmake/sanitizer_defaults.cpp)
endif()

# kalvor_add_layer(NAME DIR DEPS...) builds src/DIR/*.cpp into a static library that may use
# only the layers listed. The order of layers is one-way:
#   bigint < expr < output < canvas < numeric < lang < graph < ui < app
# tests/layering_check.cmake verifies that no source includes a header of a higher layer.
function(kalvor_add_layer name dir)
  file(GLOB_RECURSE _sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_link_libraries(${name} PUBLIC kalvor_options ${ARGN})
  else()
    # A layer that holds only headers so far.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE kalvor_options ${ARGN})
  endif()
endfunction()
