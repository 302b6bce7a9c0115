# Run by scribbit_check_includes (Layers.cmake): SOURCES_FILE holds the list
# of files to check; STAMP is touched when every include of ours names its
# folder.
file(READ ${SOURCES_FILE} sources)
set(bad "")
foreach(source ${sources})
  file(STRINGS ${source} includes REGEX "^#include \"")
  foreach(line ${includes})
    if(NOT line MATCHES "^#include \"[a-z]+/[^\"]+\"" OR line MATCHES "\\.\\.")
      string(APPEND bad "\n  ${source}: ${line}")
    endif()
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "includes that do not name the header's folder:${bad}")
endif()
file(TOUCH ${STAMP})
