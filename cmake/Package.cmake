# The package a user downloads, one ZIP file: Scribbit.dll exactly as the
# tests run it, the user's guide as Notepad reads it (code page 932, CR LF)
# and the licence, in the folder Scribbit-<version>/. tools/make_package.py
# writes it, with the guide's name in code page 932 as Windows reads it;
# CPack's writer marks every such name as UTF-8 only, which the ZIP folder of
# Windows 7 and 8 shows garbled. tools/package.sh builds the target.
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

set(scribbit_package_folder Scribbit-${PROJECT_VERSION})
set(scribbit_package ${CMAKE_BINARY_DIR}/dist/${scribbit_package_folder}-win32.zip)
add_custom_command(OUTPUT ${scribbit_package}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/make_package.py ${scribbit_package} ${scribbit_package_folder}
          $<TARGET_FILE:Scribbit> ${scribbit_guide_text} ${scribbit_package_files}/LICENSE.txt
  DEPENDS Scribbit ${scribbit_guide_text} ${scribbit_package_files}/LICENSE.txt ${CMAKE_SOURCE_DIR}/tools/make_package.py
  COMMENT "Making the package")
add_custom_target(scribbit_package DEPENDS ${scribbit_package})
