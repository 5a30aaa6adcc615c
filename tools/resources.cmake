# Compiles a resource script into an object file for the Windows target. llvm-rc reads the
# UTF-8 script and keeps class names as written; windres turns its .res into COFF. Without
# llvm-rc, windres compiles the script itself (it upper-cases control class names).
# The script's path follows "--" because llvm-rc reads a path such as /check/x.rc as /C.
# rc2e_resource_object(OUT_VAR SCRIPT rc [INCLUDE_DIRS dir...] [DEPENDS file...])
find_program(RC2E_LLVM_RC NAMES llvm-rc llvm-rc-19 llvm-rc-18 llvm-rc-17 llvm-rc-16 llvm-rc-15 llvm-rc-14)
if(NOT RC2E_LLVM_RC)
  message(WARNING "llvm-rc not found: resource scripts are compiled by windres alone")
endif()

function(rc2e_resource_object out_var)
  cmake_parse_arguments(R "" "SCRIPT" "INCLUDE_DIRS;DEPENDS" ${ARGN})
  get_filename_component(script ${R_SCRIPT} ABSOLUTE)
  get_filename_component(stem ${script} NAME_WE)
  get_filename_component(script_dir ${script} DIRECTORY)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${stem}_resources.o)
  if(RC2E_LLVM_RC)
    set(res ${CMAKE_CURRENT_BINARY_DIR}/${stem}.res)
    list(TRANSFORM R_INCLUDE_DIRS PREPEND "/I;" OUTPUT_VARIABLE include_flags)  # "/I" and the folder, each
    set(commands
      COMMAND ${RC2E_LLVM_RC} /C 65001 /L 0x804 /I ${script_dir} ${include_flags} /FO ${res} -- ${script}
      COMMAND ${CMAKE_RC_COMPILER} --input-format=res --output-format=coff -o ${object} ${res})
  else()
    list(TRANSFORM R_INCLUDE_DIRS PREPEND --include-dir= OUTPUT_VARIABLE include_flags)
    set(commands COMMAND ${CMAKE_RC_COMPILER} --codepage=65001 --include-dir=${script_dir} ${include_flags}
                         --output-format=coff -o ${object} ${script})
  endif()
  add_custom_command(OUTPUT ${object} ${commands} DEPENDS ${script} ${R_DEPENDS}
                     COMMENT "Compiling resources ${stem}.rc" VERBATIM)
  set_source_files_properties(${object} PROPERTIES GENERATED TRUE EXTERNAL_OBJECT TRUE)
  set(${out_var} ${object} PARENT_SCOPE)
endfunction()
