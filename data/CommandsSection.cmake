# Writes a help2man include file with the help of every velmora-cli command,
# so that the man page documents each command's options too.
#   cmake -DCLI=path/to/velmora-cli -DOUTPUT=commands.h2m -P CommandsSection.cmake

execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE program_help COMMAND_ERROR_IS_FATAL ANY)
# The command list: the indented lines between "Commands:" and the next empty line.
string(REGEX MATCH "\nCommands:\n(.*)" commands_block "${program_help}")
string(FIND "${commands_block}" "\n\n" block_end)
string(SUBSTRING "${commands_block}" 0 ${block_end} commands_block)
string(REGEX MATCHALL "\n  [a-z]+" command_lines "${commands_block}")

set(section "[COMMANDS IN DETAIL]\n")
foreach(line IN LISTS command_lines)
  string(STRIP "${line}" command)
  execute_process(COMMAND ${CLI} help ${command} OUTPUT_VARIABLE command_help COMMAND_ERROR_IS_FATAL ANY)
  # roff: a backslash is written \e, and a line may not start with a dot or a quote.
  string(REPLACE "\\" "\\e" command_help "${command_help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" command_help "${command_help}")
  string(APPEND section ".SS ${command}\n.nf\n${command_help}.fi\n")
endforeach()
file(WRITE ${OUTPUT} "${section}")
