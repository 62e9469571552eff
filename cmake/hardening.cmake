# The hardening Debian builds its packages with (dpkg-buildflags): checked
# buffer functions, stack protector, and a read-only relocation table bound at
# start. Only for optimised builds: the checks need optimisation, and the
# sanitizers of the debug build catch more.
if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND NOT ZANPEL_SANITIZE)
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong
                      -fstack-clash-protection)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
