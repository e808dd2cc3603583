# One warning set for every target of ours. Conversion warnings are on because
# silent narrowing between long double, double, int and Currency units is where
# real faults hide in money arithmetic.
function(quandrel_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wconversion -Wshadow -Wnon-virtual-dtor
    -Wold-style-cast -Wcast-align -Woverloaded-virtual -Wnull-dereference
    -Wdouble-promotion -Wimplicit-fallthrough)
  if(QUANDREL_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
