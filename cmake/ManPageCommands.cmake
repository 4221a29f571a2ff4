# Writes the include file of help2man for the manual page: the fixed sections
# of packaging/debian/quillwright.h2m and a section COMMANDS with the help of
# every command, as the tool prints it.
#   cmake -DTOOL=quillwright -DFIXED=quillwright.h2m -DOUT=file.h2m -P ManPageCommands.cmake
file(READ ${FIXED} text)
string(APPEND text "\n[COMMANDS]\n")
foreach(command comment clean project settings "settings set" version)
  separate_arguments(args UNIX_COMMAND "${command} --help")
  execute_process(COMMAND ${TOOL} ${args} OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TOOL} ${command} --help failed: ${status}")
  endif()
  # The exit statuses and the environment are the same for every command and
  # have sections of their own.
  string(FIND "${help}" "\nExit status:" footer)
  if(footer GREATER -1)
    string(SUBSTRING "${help}" 0 ${footer} help)
  endif()
  string(REPLACE "\\" "\\e" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  string(APPEND text ".SS \"quillwright ${command}\"\n.nf\n${help}\n.fi\n")
endforeach()
file(WRITE ${OUT} "${text}")
