# Windows builds (MinGW-w64 cross): warnings are errors, and the C++ runtime
# is linked in so the program needs no DLL that Windows does not ship.
set(TT_PLATFORM user32)
# Functions in sections of their own, so the linker drops those unused; not
# data: MinGW's linker would write the sections of zero-filled variables
# (the rules, the tables of windows) into the file.
add_compile_options(-Wall -Wextra -Werror -fno-exceptions -fno-rtti
                    -ffunction-sections)
# Without exceptions, 32-bit code needs no unwind tables, which would be a
# sixth of the program. 64-bit Windows walks every stack by its tables.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_compile_options(-fno-asynchronous-unwind-tables)
endif()
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections
                 -Wl,--no-insert-timestamp -s)
# Reproducible objects: no build paths in the output.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
