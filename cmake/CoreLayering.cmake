# The core library is plain C++20 and SQLite: a Qt include in src/core is a layering fault,
# and fails the configure step (a test repeats the check for files added later).
function(lithora_check_core_layering root)
  file(GLOB_RECURSE _core_files "${root}/*.h" "${root}/*.cpp")
  foreach(_f IN LISTS _core_files)
    file(STRINGS "${_f}" _hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qcustomplot)")
    if(_hits)
      message(FATAL_ERROR "src/core must not use Qt: ${_f}: ${_hits}")
    endif()
  endforeach()
endfunction()
