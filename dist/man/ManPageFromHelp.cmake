# Writes the manual page of tarvoss-cli from the text its --help prints:
# the usage lines become the synopsis, the rest the description, word for word.
#   cmake -DPROGRAM=... -DOUTPUT=... -DVERSION=... -DDATE=... -DHEAD=... -DTAIL=... -P ManPageFromHelp.cmake
execute_process(COMMAND ${PROGRAM} --help
  OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()

# Text for roff: backslashes and hyphens written as escapes, and a line that
# begins with a control character kept as text. Semicolons are held apart
# because a CMake list is split at them.
function(roff_escape text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

string(FIND "${help}" "\n\n" usage_end)
if(usage_end LESS 0)
  message(FATAL_ERROR "the --help text has no usage paragraph")
endif()
string(SUBSTRING "${help}" 0 ${usage_end} usage)
math(EXPR description_start "${usage_end} + 2")
string(SUBSTRING "${help}" ${description_start} -1 description)

string(REGEX REPLACE "(^|\n)Usage:[ ]*" "\\1" usage "${usage}")
string(REGEX REPLACE "(^|\n)[ ]+" "\\1" usage "${usage}")
roff_escape("${usage}" usage)
string(REPLACE "\n" "\n.br\n" usage "${usage}")
roff_escape("${description}" description)
string(REGEX REPLACE "\n+$" "" description "${description}")

file(READ ${HEAD} head)
string(CONFIGURE "${head}" head @ONLY)
file(READ ${TAIL} tail)
# The text keeps its own layout of up to 80 columns, so it starts at the
# left edge instead of the usual indentation.
file(WRITE ${OUTPUT} "${head}.SH SYNOPSIS\n${usage}\n.SH DESCRIPTION\n.in 0\n.nf\n${description}\n.fi\n.in\n${tail}")
