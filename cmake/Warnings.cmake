# The one list of warnings every target of the project builds with.
add_library(dravelin_warnings INTERFACE)
if(MSVC)
  target_compile_options(dravelin_warnings INTERFACE /W4 /WX)
else()
  target_compile_options(dravelin_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)
endif()
