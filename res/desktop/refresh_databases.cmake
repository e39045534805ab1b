# Install-time step, run last: tells the desktop about the new MIME type, the
# desktop entry and the icons, with whichever of the three tools exist. A
# missing tool or a failing one costs only a warning; the files are in place
# and the next refresh by the system picks them up.
#
# A staged install (DESTDIR set, as when building a package) is left alone:
# there the package manager refreshes the databases of the real system.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  message(STATUS "Staged install: desktop databases not refreshed")
  return()
endif()

set(share "${CMAKE_INSTALL_PREFIX}/share")

function(trasso_refresh tool)
  find_program(program ${tool} NO_CACHE)
  if(NOT program)
    message(STATUS "${tool} not found: skipped")
    return()
  endif()
  execute_process(COMMAND ${program} ${ARGN} RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(result EQUAL 0)
    message(STATUS "Refreshed with ${tool}")
  else()
    message(WARNING "${tool} failed (${result}): ${errors}")
  endif()
endfunction()

trasso_refresh(update-mime-database "${share}/mime")
trasso_refresh(update-desktop-database -q "${share}/applications")
trasso_refresh(gtk-update-icon-cache -q -t -f "${share}/icons/hicolor")
