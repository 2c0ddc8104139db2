# SPDX-License-Identifier: GPL-3.0-or-later
set(LEXALON_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR})

# Writes the resource script that gives a Windows executable the program's
# icon and its version record: the four numbers, and as text the major number
# and the minor one on two digits ("1.00").
function(lexalon_version_resource output major minor patch tweak)
  set(LEXALON_RC_MAJOR ${major})
  set(LEXALON_RC_MINOR ${minor})
  set(LEXALON_RC_PATCH ${patch})
  set(LEXALON_RC_TWEAK ${tweak})
  if(minor LESS 10)
    set(LEXALON_RC_TEXT "${major}.0${minor}")
  else()
    set(LEXALON_RC_TEXT "${major}.${minor}")
  endif()
  set(LEXALON_ICON_FILE ${LEXALON_RESOURCES_DIR}/lexalon.ico)
  configure_file(${LEXALON_RESOURCES_DIR}/lexalon.rc.in ${output} @ONLY)
endfunction()
