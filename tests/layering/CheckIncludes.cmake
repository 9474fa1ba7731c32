# Fails when a source file includes a header of a layer it must not know.
#   ROOT   the source tree
# Layers point down only: canvas/ knows nothing above it, and the file layer
# (canvas/io/) builds on the model in canvas/, never the reverse. canvas/ and
# tools/ are plain C++ without Qt.
set(rules
  "canvas/*.h|canvas/*.cpp|canvas/io/|tools/|view/|app/|cli/"
  "canvas/io/*.h|canvas/io/*.cpp|tools/|view/|app/|cli/"
  "tools/*.h|tools/*.cpp|view/|app/|cli/")
set(faults "")
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(GET parts 0 glob_h)
  list(GET parts 1 glob_cpp)
  list(SUBLIST parts 2 -1 forbidden)
  file(GLOB files RELATIVE ${ROOT} ${ROOT}/${glob_h} ${ROOT}/${glob_cpp})
  foreach(file IN LISTS files)
    file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "<Q[A-Za-z]*>")
        string(APPEND faults "\n  ${file}: ${line} (no Qt below view/)")
      endif()
      foreach(prefix IN LISTS forbidden)
        if(line MATCHES "\"${prefix}")
          string(APPEND faults "\n  ${file}: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "includes that point up a layer:${faults}")
endif()
