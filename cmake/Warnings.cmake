# The one list of warnings every target of the project builds with.
# DRAVELIN_WERROR turns them into errors; CI builds with it on.
option(DRAVELIN_WERROR "Treat warnings as errors" OFF)
add_library(dravelin_warnings INTERFACE)
if(MSVC)
  target_compile_options(dravelin_warnings INTERFACE /W4)
  if(DRAVELIN_WERROR)
    target_compile_options(dravelin_warnings INTERFACE /WX)
  endif()
else()
  target_compile_options(dravelin_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                     -Wconversion)
  if(DRAVELIN_WERROR)
    target_compile_options(dravelin_warnings INTERFACE -Werror)
  endif()
  # g++ 12 at -O3 reports impossible overlaps inside std::string's own
  # concatenation (a known false positive of that release), which would make
  # every Release build fail.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(dravelin_warnings INTERFACE -Wno-restrict)
  endif()
endif()
