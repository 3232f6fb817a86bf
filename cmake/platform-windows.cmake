# Windows builds (MinGW-w64 cross): warnings are errors, and the C++ runtime
# is linked in so the program needs no DLL that Windows does not ship.
set(TT_PLATFORM user32)
add_compile_options(-Wall -Wextra -Werror -fno-exceptions -fno-rtti
                    -ffunction-sections -fdata-sections)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections
                 -Wl,--no-insert-timestamp -s)
# Reproducible objects: no build paths in the output.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
