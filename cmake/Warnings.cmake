# One warning set for every target of ours. Conversion warnings are on because
# silent narrowing between long double, double, int and Currency units is where
# real faults hide in money arithmetic.
function(quandrel_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wconversion -Wshadow -Wnon-virtual-dtor
    -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wdouble-promotion -Wimplicit-fallthrough)
  # g++ 12 reports std::string appends as overlapping copies at -O2 (a known
  # false positive of its -Wrestrict in the standard library's own code).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(QUANDREL_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
