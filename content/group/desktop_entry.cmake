# The menu entry of a program directory: the group folder's tervane.desktop,
# which names the program, its working folder and its icon by their absolute
# paths in that directory. The build writes it for build/game; the install
# script writes it again for the installed copy:
#
#   cmake -DPROGRAM_DIR=<absolute dir> -DOUTPUT=<file> -P content/group/desktop_entry.cmake

set(TERVANE_DESKTOP_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/tervane.desktop.in)

# A value of the entry's string type: a backslash is written as two.
function(tervane_desktop_string variable text)
  string(REPLACE "\\" "\\\\" escaped "${text}")
  set(${variable} "${escaped}" PARENT_SCOPE)
endfunction()

# The Exec key's program, quoted as one argument: inside the quotes " ` $ and
# \ take a backslash, % doubles (it would start a field code), and the whole
# is then a string value.
function(tervane_desktop_command variable program)
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${program}")
  string(REPLACE "%" "%%" quoted "${quoted}")
  tervane_desktop_string(quoted "\"${quoted}\"")
  set(${variable} "${quoted}" PARENT_SCOPE)
endfunction()

function(tervane_write_desktop_entry program_dir output)
  if(NOT IS_ABSOLUTE "${program_dir}" OR program_dir MATCHES "[\n\r\t]")
    message(FATAL_ERROR "The program directory must be an absolute path on one line: ${program_dir}")
  endif()
  tervane_desktop_command(TERVANE_DESKTOP_EXEC "${program_dir}/tervane")
  tervane_desktop_string(TERVANE_DESKTOP_TRYEXEC "${program_dir}/tervane")
  tervane_desktop_string(TERVANE_DESKTOP_PATH "${program_dir}")
  tervane_desktop_string(TERVANE_DESKTOP_ICON "${program_dir}/tervane.png")
  configure_file(${TERVANE_DESKTOP_TEMPLATE} ${output} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  tervane_write_desktop_entry("${PROGRAM_DIR}" "${OUTPUT}")
endif()
