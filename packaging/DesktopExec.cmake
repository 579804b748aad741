# dravelin_desktop_exec(VAR PATH): sets VAR to PATH as a desktop entry's Exec
# key names a program: in double quotes, with the characters that quoting
# reserves (double quote, backquote, dollar sign, backslash) escaped by a
# backslash, a percent sign doubled so that it is no field code, and then
# every backslash doubled once more, as in any string value of the entry.
function(dravelin_desktop_exec var path)
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${path}")
  string(REPLACE "%" "%%" quoted "${quoted}")
  string(REPLACE "\\" "\\\\" quoted "${quoted}")
  set(${var} "\"${quoted}\"" PARENT_SCOPE)
endfunction()
