# Hardening of every target of the project, as distributions build them:
# position-independent executables, a stack protector, a read-only
# relocation table resolved at start-up, and checked string and memory
# functions when optimising (glibc checks them only then, and warns
# otherwise). WebAssembly has none of these: the browser build goes without,
# and so does the Windows build (its linker has no such options).
if(NOT MSVC AND NOT EMSCRIPTEN AND NOT WIN32)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported()
  add_compile_options(-fstack-protector-strong)
  add_link_options(-Wl,-z,relro,-z,now)
  # The sanitizers check those calls themselves and cannot see into the
  # checked variants.
  if(NOT DRAVELIN_SANITIZE AND NOT DRAVELIN_BUILD_FUZZ)
    add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
  endif()
endif()
