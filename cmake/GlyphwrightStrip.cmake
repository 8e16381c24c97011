# Run by CPack on the staged files before they are packed: strips the
# programs as Debian's dh_strip does, their symbols and the compiler's
# .comment and .note sections too.
file(GLOB gw_programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
if(NOT gw_programs)
  message(FATAL_ERROR "No programs staged under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin")
endif()
foreach(program IN LISTS gw_programs)
  execute_process(
    COMMAND strip --remove-section=.comment --remove-section=.note "${program}"
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
