# vellomar_add_library(NAME SOURCES...)
# A static library vellomar_NAME with the alias Vellomar::NAME, built from the current folder.
#
# Headers are included by folder, "skin/SkinData.h". The include root a library exports holds
# a link to its own folder and nothing else, so code that includes another library's header
# without linking that library does not compile: the links in the CMake files are the real
# dependencies. Libraries made from one folder share its root.
function(vellomar_add_library name)
  add_library(vellomar_${name} STATIC ${ARGN})
  add_library(Vellomar::${name} ALIAS vellomar_${name})

  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(vellomar_${name} PUBLIC ${root})
endfunction()
