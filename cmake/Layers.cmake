# One static library per layer. A layer sees its own headers and those of the layers it links,
# nothing else, so that including a header of a higher layer does not build.
#
# Every layer has an include root of its own in the build tree that holds one small forwarding
# header per header of the layer, under the name the code includes it by ("records/text.hpp"),
# and that root is the only include directory the layer gives its users. Forwarding headers
# rather than links to the source folders: they need no right to create links (Windows), and
# they never go stale, since each one includes the real header of the source tree.

# tabellario_layer(<target> [UNITS <names below src/>] [HEADERS <paths below src/>]
#                  [SOURCES <paths below src/>] [LINKS <the layers below>])
# A unit "records/text" stands for records/text.hpp and records/text.cpp.
function(tabellario_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 layer "" "" "UNITS;HEADERS;SOURCES;LINKS")
  foreach(unit IN LISTS layer_UNITS)
    list(APPEND layer_HEADERS ${unit}.hpp)
    list(APPEND layer_SOURCES ${unit}.cpp)
  endforeach()
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  set(forwarders)
  foreach(header IN LISTS layer_HEADERS)
    set(real ${CMAKE_SOURCE_DIR}/src/${header})
    if(NOT EXISTS ${real})
      message(FATAL_ERROR "${target}: src/${header} does not exist")
    endif()
    set(forwarder ${root}/${header})
    get_filename_component(folder ${forwarder} DIRECTORY)
    file(RELATIVE_PATH path ${folder} ${real})
    # Written only when its text changes, so that configuring again rebuilds nothing.
    file(CONFIGURE OUTPUT ${forwarder}
         CONTENT "// Generated: the header lives in the source tree.\n#include \"${path}\"\n")
    list(APPEND forwarders ${forwarder})
  endforeach()
  # A header that left the layer (moved, renamed, removed) must not stay visible by its old name.
  file(GLOB_RECURSE existing LIST_DIRECTORIES false ${root}/*)
  foreach(file IN LISTS existing)
    if(NOT file IN_LIST forwarders)
      file(REMOVE ${file})
    endif()
  endforeach()

  list(TRANSFORM layer_HEADERS PREPEND ${CMAKE_SOURCE_DIR}/src/ OUTPUT_VARIABLE headers)
  list(TRANSFORM layer_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/src/ OUTPUT_VARIABLE sources)
  add_library(${target} STATIC ${sources} ${headers})
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC tabellario_options ${layer_LINKS})
  set_property(TARGET ${target} PROPERTY TABELLARIO_HEADERS ${layer_HEADERS})

  # The proof that the layer stands on its own: every header of the layer compiled alone, with
  # only the include paths of the layer and of the layers below it.
  if(TABELLARIO_LAYER_CHECK)
    set(units)
    foreach(header IN LISTS layer_HEADERS)
      set(unit ${CMAKE_BINARY_DIR}/layer_check/${target}/${header}.cpp)
      file(CONFIGURE OUTPUT ${unit} CONTENT "#include \"${header}\"\n")
      list(APPEND units ${unit})
    endforeach()
    add_library(${target}_alone OBJECT ${units})
    target_link_libraries(${target}_alone PRIVATE ${target})
  endif()
endfunction()
