# Warnings for every target of the project; presets turn them into errors with
# CMAKE_COMPILE_WARNING_AS_ERROR.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wimplicit-fallthrough
                    "$<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor;-Wold-style-cast;-Woverloaded-virtual>")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 reports impossible overlaps in inlined std::string concatenation at
  # -O2 and above (its bug 105329); the warning says nothing about our code.
  add_compile_options(-Wno-restrict)
endif()
