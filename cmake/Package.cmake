# The package a user downloads, made by CPack as one ZIP file: Scribbit.dll
# exactly as the tests run it, the user's guide as Notepad reads it (code
# page 932, CR LF) and the licence. tools/package.sh runs cpack on this tree.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(scribbit_package_files ${CMAKE_BINARY_DIR}/package)
set(scribbit_guide_text ${scribbit_package_files}/はじめにお読みください.txt)
add_custom_command(OUTPUT ${scribbit_guide_text}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/make_guide_text.py
          ${CMAKE_SOURCE_DIR}/docs/guide.ja.md ${scribbit_guide_text}
  DEPENDS ${CMAKE_SOURCE_DIR}/docs/guide.ja.md ${CMAKE_SOURCE_DIR}/tools/make_guide_text.py
  COMMENT "Making the user's guide text")
add_custom_target(guide_text ALL DEPENDS ${scribbit_guide_text})
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${scribbit_package_files}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS Scribbit RUNTIME DESTINATION .)
install(FILES ${scribbit_guide_text} ${scribbit_package_files}/LICENSE.txt DESTINATION .)

# Named Scribbit-<version>-win32.zip, its three files at the top.
set(CPACK_GENERATOR ZIP)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
