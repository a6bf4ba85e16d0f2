# Builds the Windows package and unpacks it into a fresh folder, as a user
# would: the folder must hold exactly the program, its help, the read-me and
# the licence, and the program no debug information.
# cmake -DBUILD_DIR=<tree> -DZIP=<file> -DOUT=<dir> -DOBJDUMP=<objdump> -P UnpackPackage.cmake
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target package
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the package failed:\n${log}")
endif()
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${OUT})

get_filename_component(folder ${ZIP} NAME_WLE)
file(GLOB_RECURSE files RELATIVE ${OUT} ${OUT}/*)
list(SORT files)
set(want ${folder}/LICENSE.txt ${folder}/README.txt ${folder}/tintrover.chm ${folder}/tintrover.exe)
if(NOT files STREQUAL want)
  message(FATAL_ERROR "the package holds \"${files}\", not \"${want}\"")
endif()

execute_process(COMMAND ${OBJDUMP} -h ${OUT}/${folder}/tintrover.exe
                OUTPUT_VARIABLE sections RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT sections MATCHES "\\.rsrc")
  message(FATAL_ERROR "${OBJDUMP} could not read the packaged program")
endif()
if(sections MATCHES "\\.debug_")
  message(FATAL_ERROR "the packaged program still has debug information")
endif()
file(SIZE ${OUT}/${folder}/tintrover.exe size)
message(STATUS "${ZIP} unpacked; tintrover.exe has ${size} bytes")
