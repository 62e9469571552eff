# The hardening Debian builds its packages with (dpkg-buildflags): checked
# buffer functions, stack protector, and a read-only relocation table bound at
# start. Only for optimised builds: the checks need optimisation, and the
# sanitizers of the debug build catch more.
# Not for Windows: there mingw-w64's linker makes relocatable programs with a
# non-executable stack by itself, and the checks would need its libssp.
if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND NOT ZANPEL_SANITIZE AND NOT WIN32)
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong
                      -fstack-clash-protection)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
