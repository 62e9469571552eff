# One static library per layer of src/, each compiled against a view of the
# headers it may include.
#
# A view is a folder in the build tree, views/<library>/<folder>/, with a
# link to each header of that library. A library puts its own view on its
# include path as a PUBLIC one, so CMake's usage requirements give a library
# the views of what it links, and nothing else: no include path shows src/
# as a whole. An include of a layer it does not link, or of a Qt header in a
# library that links no Qt, is "No such file" at compile time, before any
# link could complain. tests/layers proves it.
#
# The headers of a library are those of its sources (x.h beside x.cpp) and
# the HEADERS named (headers without a source of the same name). At the end
# of each folder every header of the folder must belong to exactly one of
# its libraries.

set(ZANPEL_VIEWS ${CMAKE_BINARY_DIR}/views)

# The view of a library: its folder and the link to each of its headers.
function(zanpel_view_headers name)
  get_target_property(view ${name} ZANPEL_VIEW)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  foreach(header ${ARGN})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${view}/${folder}/${header} SYMBOLIC)
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY ZANPEL_LAYER_HEADERS ${ARGN})
endfunction()

# The headers that sources bring: x.h for x.cpp, when there is one.
function(zanpel_headers_of_sources out)
  set(headers)
  foreach(source ${ARGN})
    if(source MATCHES "^([^/]+)\\.cpp$")
      if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${CMAKE_MATCH_1}.h)
        list(APPEND headers ${CMAKE_MATCH_1}.h)
      endif()
    endif()
  endforeach()
  set(${out} ${headers} PARENT_SCOPE)
endfunction()

# zanpel_layer_sources(name [SOURCES ...] [HEADERS ...]): adds sources and
# headers of the current folder to the library name and its view.
function(zanpel_layer_sources name)
  cmake_parse_arguments(L "" "" "SOURCES;HEADERS" ${ARGN})
  zanpel_headers_of_sources(headers ${L_SOURCES})
  list(APPEND headers ${L_HEADERS})
  list(REMOVE_DUPLICATES headers)
  target_sources(${name} PRIVATE ${L_SOURCES} ${headers})
  zanpel_view_headers(${name} ${headers})
endfunction()

# Every header of the folder in exactly one of its libraries (run once the
# folder's CMakeLists.txt is done).
function(zanpel_check_layer_headers)
  file(GLOB present RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  get_property(listed DIRECTORY PROPERTY ZANPEL_LAYER_HEADERS)
  set(once ${listed})
  list(REMOVE_DUPLICATES once)
  list(LENGTH listed count)
  list(LENGTH once unique)
  if(NOT count EQUAL unique)
    message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}: a header is in two libraries: ${listed}")
  endif()
  foreach(header ${present})
    if(NOT header IN_LIST listed)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${header} is in no library: name it "
        "(or its source) in one zanpel_add_layer or zanpel_layer_sources of the folder")
    endif()
  endforeach()
endfunction()

# zanpel_add_layer(name [SOURCES ...] [HEADERS ...]): a static library of the
# current folder with its view.
function(zanpel_add_layer name)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(view ${ZANPEL_VIEWS}/${name})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view}/${folder})
  add_library(${name} STATIC)
  set_target_properties(${name} PROPERTIES ZANPEL_VIEW ${view})
  target_include_directories(${name} PUBLIC ${view})
  zanpel_layer_sources(${name} ${ARGN})
  # A build of zanpelctl alone leaves the widgets' headers out of every library.
  get_property(checked DIRECTORY PROPERTY ZANPEL_LAYER_CHECK)
  if(NOT checked AND NOT ZANPEL_CLI_ONLY)
    set_property(DIRECTORY PROPERTY ZANPEL_LAYER_CHECK ON)
    cmake_language(DEFER CALL zanpel_check_layer_headers)
  endif()
endfunction()
