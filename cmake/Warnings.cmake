# One place for the compiler flags every target of the project shares.
add_library(pelmo_options INTERFACE)
target_compile_options(pelmo_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
  $<$<BOOL:${PELMO_WERROR}>:-Werror>)
target_include_directories(pelmo_options INTERFACE ${PROJECT_SOURCE_DIR})

if(PELMO_SANITIZE)
  target_compile_options(pelmo_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(pelmo_options INTERFACE -fsanitize=address,undefined)
endif()
