# The layers of Vellix, each one library that depends only on the layers below it:
#   base -> media -> game -> platform/sdl (and platform/web) -> tools
# A layer's folder is seen by the compiler only through the targets that link it: its include root,
# in the build tree, holds nothing but a link to the folder itself. So `#include "game/GameState.h"`
# builds in the game and in the layers above it, and a file that includes against the direction of
# the layers does not build at all.

# Every target of the project builds with these rules (linked privately).
add_library(vellix_build_rules INTERFACE)
target_compile_options(vellix_build_rules INTERFACE -Wall -Wextra -Wconversion -Wshadow
  # The game's rules are 32-bit float arithmetic, step by step: no fused or reordered operations.
  -ffp-contract=off)
if(VELLIX_SANITIZE)
  # The sanitizer build also runs every assert and the standard library's own checks.
  target_compile_options(vellix_build_rules INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer -UNDEBUG -D_GLIBCXX_ASSERTIONS)
  target_link_options(vellix_build_rules INTERFACE -fsanitize=address,undefined)
endif()

# Makes `folder` (a path from the source root, such as game or platform/sdl) visible to `target` and
# to whatever links it, under its own name and nothing else.
function(vellix_include_root target folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# A library of the project: its sources, its include root and the layers it builds on.
function(vellix_library target folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  vellix_include_root(${target} ${folder})
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} PRIVATE vellix_build_rules)
endfunction()
