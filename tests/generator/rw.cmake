# Tests of the script-reading stages: logical lines, statement arguments, declarations,
# dialog blocks, header includes and definition values, and the dialog choice.
rc2e_add_test(generator_script_reading_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/test_logical_lines.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_statement_arguments.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_declarations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_dialog_blocks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_header_includes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_dialog_choice.cpp
  LIBS rc2e_generator)

# Resource-editor scripts from tests/generator/fixtures/rw through the whole pipeline.
rc2e_add_test(generator_editor_scripts_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_editor_scripts.cpp
              LIBS rc2e_generator)
add_dependencies(generator_editor_scripts_test Get_Information)
