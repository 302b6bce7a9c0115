# The layers of the tool, lowest first: core (portable, no Win32); store (the
# memo files, no user interface); framework; components; the tool itself
# (plugin, panel, memo, operations, settings, resources). Each library sees
# its own folders and, through what it links, those of the layers below it,
# and nothing above: its include root holds links to exactly its folders, and
# every include names the folder of the header ("store/MemoFile.h"). A lower
# layer that includes a higher one does not compile.

# The source tree the folders are in; a project of its own (the fuzzers)
# names it before including this file.
if(NOT DEFINED scribbit_repository)
  set(scribbit_repository ${CMAKE_SOURCE_DIR})
endif()

# Gives target an include root that holds its folders (relative to the
# source tree), with scope PUBLIC, PRIVATE or INTERFACE.
function(scribbit_layer_root target scope)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  foreach(folder ${ARGN})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${scribbit_repository}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# Fails the build of target when a source of the folders includes a header of
# ours without naming its folder, or climbs out of its own with "..": both
# would reach past the include roots.
function(scribbit_check_includes target)
  set(sources)
  foreach(folder ${ARGN})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${scribbit_repository}/${folder}/*.h ${scribbit_repository}/${folder}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.includes-checked)
  set(list ${CMAKE_CURRENT_BINARY_DIR}/${target}.includes-sources)
  file(WRITE ${list} "${sources}")
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSOURCES_FILE=${list} -DSTAMP=${stamp} -P ${scribbit_repository}/cmake/CheckIncludes.cmake
    DEPENDS ${sources} ${scribbit_repository}/cmake/CheckIncludes.cmake
    COMMENT "Checking the includes of ${target}")
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()
