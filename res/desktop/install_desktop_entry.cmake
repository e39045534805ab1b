# Install-time step: writes trasso.desktop with the editor's installed path.
# Expects TRASSO_DESKTOP_TEMPLATE; CMAKE_INSTALL_PREFIX is the final prefix, and
# DESTDIR, when set, only stages the files.

# A desktop entry's Exec line quotes the program; inside the quotes ", `, $ and
# \ take a backslash, and as the value is a string, every backslash is doubled
# once more. A percent sign is written as %%.
function(trasso_quote_exec_path path out)
  string(REPLACE "\\" "\\\\" path "${path}")
  string(REPLACE "\"" "\\\"" path "${path}")
  string(REPLACE "`" "\\`" path "${path}")
  string(REPLACE "$" "\\$" path "${path}")
  string(REPLACE "\\" "\\\\" path "${path}")
  string(REPLACE "%" "%%" path "${path}")
  set(${out} "\"${path}\"" PARENT_SCOPE)
endfunction()

# TryExec is a plain string: only the backslash is escaped.
string(REPLACE "\\" "\\\\" TRASSO_TRYEXEC "${CMAKE_INSTALL_PREFIX}/bin/trasso")
trasso_quote_exec_path("${CMAKE_INSTALL_PREFIX}/bin/trasso" TRASSO_EXEC)

set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/trasso.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${TRASSO_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
