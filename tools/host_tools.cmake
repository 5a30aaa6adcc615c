# Builds small C tools for the build machine itself (icon drawing, the XDND drop client),
# also when the tree is configured for the cross-compiled Windows target.
# rc2e_host_tool(NAME SOURCES src... [LIBS -lx...] OUTPUT_DIR dir): target NAME, file dir/NAME.
find_program(RC2E_HOST_CC NAMES cc gcc clang REQUIRED)

function(rc2e_host_tool name)
  cmake_parse_arguments(T "" "OUTPUT_DIR" "SOURCES;LIBS" ${ARGN})
  set(output ${T_OUTPUT_DIR}/${name})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${T_OUTPUT_DIR}
    COMMAND ${RC2E_HOST_CC} -O2 -Wall -Wextra -o ${output} ${T_SOURCES} ${T_LIBS}
    DEPENDS ${T_SOURCES}
    COMMENT "Building host tool ${name}"
    VERBATIM)
  add_custom_target(${name} DEPENDS ${output})
  set_target_properties(${name} PROPERTIES HOST_TOOL_PATH ${output})
endfunction()
