# Warnings for every target of the project; presets turn them into errors with
# CMAKE_COMPILE_WARNING_AS_ERROR.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
                    -Woverloaded-virtual -Wimplicit-fallthrough)
