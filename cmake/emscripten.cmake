# The web tree's toolchain: emscripten's own toolchain file, found through the
# package's em-config wherever the package put it.
find_program(TINTROVER_EM_CONFIG em-config REQUIRED)
execute_process(COMMAND ${TINTROVER_EM_CONFIG} EMSCRIPTEN_ROOT
  OUTPUT_VARIABLE tintrover_emscripten_root OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
include(${tintrover_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
# WebAssembly's 128-bit vectors for the whole tree: every browser of the last
# years runs them, and the frames stay bit for bit those of the native build.
set(CMAKE_C_FLAGS_INIT "-msimd128")
set(CMAKE_CXX_FLAGS_INIT "-msimd128")
