# cmake -P: the desktop entry's Exec value for install paths with the
# characters that the entry's quoting and string rules reserve.
include(${CMAKE_CURRENT_LIST_DIR}/../../packaging/DesktopExec.cmake)

function(expect path expected)
  dravelin_desktop_exec(exec "${path}")
  if(NOT exec STREQUAL expected)
    message(SEND_ERROR "for [${path}]: got [${exec}], expected [${expected}]")
  endif()
endfunction()

expect("/usr/libexec/dravelin/dravelin-launch" "\"/usr/libexec/dravelin/dravelin-launch\"")
expect("/opt/My Apps/dravelin-launch" "\"/opt/My Apps/dravelin-launch\"")
expect("/opt/100%/x" "\"/opt/100%%/x\"")
expect("/opt/\$HOME/x" "\"/opt/\\\\\$HOME/x\"")
expect("/opt/a\"b/x" "\"/opt/a\\\\\"b/x\"")
expect("/opt/a`b/x" "\"/opt/a\\\\`b/x\"")
expect("/opt/a\\b/x" "\"/opt/a\\\\\\\\b/x\"")
