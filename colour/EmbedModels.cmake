# Writes a C++ source holding the bytes of the model texts, for builds that
# have no Win32 resources. Run as a script:
#   cmake -DOUTPUT=<file.cpp> -DINPUTS=<a.txt|b.txt|...> -P EmbedModels.cmake
# Each text is named after its file, upper case and without extension.
set(body "")
set(entries "")
string(REPLACE "|" ";" INPUTS "${INPUTS}")
foreach(input ${INPUTS})
  get_filename_component(stem ${input} NAME_WE)
  string(TOUPPER ${stem} name)
  file(READ ${input} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    " bytes "${bytes}")
  string(APPEND body "const unsigned char ${name}_Bytes[] = {\n    ${bytes}\n};\n\n")
  string(APPEND entries "    TEmbeddedModel{\"${name}\", std::string_view(reinterpret_cast<const char*>(${name}_Bytes), ${size})},\n")
endforeach()
list(LENGTH INPUTS count)
file(WRITE ${OUTPUT}.tmp
"// Generated from the model texts by EmbedModels.cmake; do not edit.
#include \"EmbeddedModels.h\"

namespace {

${body}}  // namespace

const std::array<TEmbeddedModel, ${count}> EmbeddedModels{
${entries}};
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
