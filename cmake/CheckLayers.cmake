# The layer check: a file may include a header of src/ only from its own library's
# folder or from the folder of a library that its library links. Run as
#   cmake -DMAP=<build>/layers.cmake -DSOURCE_DIR=<source> -P cmake/CheckLayers.cmake
# (ctest runs it as the test "include_layers"). It also refuses a folder of src/ that
# holds sources but belongs to no target: such a folder has dropped out of the build.
#
# The drawing code is held to more than its library's links: a graph, a report page or
# a picture takes the flight read-only, so no drawing file may reach a header of
# src/doc (the document, whose interface changes the flight), not even through another
# header. Its libraries' links alone would allow it: the graph's library also holds the
# cursor logic, which cuts through the document.
cmake_minimum_required(VERSION 3.25)
include(${MAP})

set(violations "")
foreach(folder ${TAVOKIT_FOLDERS})
  string(MAKE_C_IDENTIFIER "${folder}" key)
  set(allowed ${TAVOKIT_ALLOWED_${key}})
  file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
      if(NOT EXISTS ${SOURCE_DIR}/src/${header})
        continue()
      endif()
      get_filename_component(dir ${header} DIRECTORY)
      if(NOT dir IN_LIST allowed)
        file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
        list(APPEND violations "${shown} includes \"${header}\", but its library links nothing in src/${dir}")
      endif()
    endforeach()
  endforeach()
endforeach()

set(drawing_globs
  src/plot/*.h src/plot/*.cpp
  src/view/core/draw_graph.* src/view/core/graph_overlays.cpp src/view/core/graph_parts.h
  src/view/core/graph_export.*
  src/view/paint/*.h src/view/paint/*.cpp
  src/reports/report_draw.* src/reports/report_layout.* src/reports/figure_boxes.*
  src/reports/paint/*.h src/reports/paint/*.cpp)
set(drawing_forbidden doc)
list(TRANSFORM drawing_globs PREPEND ${SOURCE_DIR}/)
file(GLOB drawing_files ${drawing_globs})
foreach(file ${drawing_files})
  file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
  # Every header of src/ the file includes, directly or through others.
  set(queue ${file})
  set(seen "")
  while(queue)
    list(POP_FRONT queue current)
    file(STRINGS ${current} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
      if(header IN_LIST seen OR NOT EXISTS ${SOURCE_DIR}/src/${header})
        continue()
      endif()
      list(APPEND seen ${header})
      get_filename_component(dir ${header} DIRECTORY)
      if(dir IN_LIST drawing_forbidden)
        file(RELATIVE_PATH by ${SOURCE_DIR} ${current})
        list(APPEND violations
          "${shown} draws, but reaches \"${header}\" (included by ${by}): drawing reads the flight, it does not edit it")
      endif()
      list(APPEND queue ${SOURCE_DIR}/src/${header})
    endforeach()
  endwhile()
endforeach()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
set(orphans "")
foreach(source ${sources})
  get_filename_component(dir ${source} DIRECTORY)
  if(NOT dir IN_LIST TAVOKIT_FOLDERS AND NOT dir IN_LIST orphans)
    list(APPEND orphans ${dir})
    list(APPEND violations "${dir} holds sources but no target is built from it")
  endif()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Layer check failed:\n  ${text}")
endif()
list(LENGTH TAVOKIT_FOLDERS count)
list(LENGTH drawing_files drawing)
message(STATUS "Layer check: ${count} folders, every include within the libraries linked; "
               "${drawing} drawing files, none reaching the document")
