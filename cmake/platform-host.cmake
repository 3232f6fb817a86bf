# Host build: the logic against fake windows, under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set(TT_PLATFORM fake)
add_compile_options(-Wall -Wextra -Werror -g -fsanitize=address,undefined
                    -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
enable_testing()
find_package(GTest REQUIRED)
