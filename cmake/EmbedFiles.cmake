# lumvoucher_embed_files(OUT <cpp> NAMESPACE <ns> FUNCTION <fn> FILES <f>...)
# Generates a .cpp that defines `std::vector<EmbeddedFile> ns::fn()` with the files' text in the
# order given, so the schema and the demo account set travel inside the binary.
function(lumvoucher_embed_files)
  cmake_parse_arguments(ARG "" "OUT;NAMESPACE;FUNCTION" "FILES" ${ARGN})
  set(body "")
  foreach(path IN LISTS ARG_FILES)
    file(READ "${path}" text)
    get_filename_component(name "${path}" NAME)
    # Raw strings have a length limit in some compilers; split into chunks.
    string(LENGTH "${text}" len)
    set(pieces "")
    set(pos 0)
    while(pos LESS len)
      string(SUBSTRING "${text}" ${pos} 8000 piece)
      string(APPEND pieces "      R\"lvsql(${piece})lvsql\"\n")
      math(EXPR pos "${pos} + 8000")
    endwhile()
    if(pieces STREQUAL "")
      set(pieces "      \"\"\n")
    endif()
    string(APPEND body "  files.push_back({\"${name}\", std::string(\n${pieces}      )});\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${path}")
  endforeach()
  file(GENERATE OUTPUT "${ARG_OUT}" CONTENT
"// Generated from the .sql files by cmake/EmbedFiles.cmake. Do not edit.
#include <string>
#include <vector>

#include \"embedded/embedded_file.h\"

namespace ${ARG_NAMESPACE} {
std::vector<EmbeddedFile> ${ARG_FUNCTION}() {
  std::vector<EmbeddedFile> files;
${body}  return files;
}
}  // namespace ${ARG_NAMESPACE}
")
endfunction()
