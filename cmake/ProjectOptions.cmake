# Two interface targets that every target links PRIVATE: the warning set and the
# build options (sanitizers). Warnings become errors with -DPAGEMILL_WERROR=ON (CI).
option(PAGEMILL_WERROR "Treat warnings as errors" OFF)
set(PAGEMILL_SANITIZE "" CACHE STRING "Sanitizers to build with: empty, 'address,undefined' or 'thread'")

add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Woverloaded-virtual -Wimplicit-fallthrough -Wconversion -Wformat=2)
if(PAGEMILL_WERROR)
  # GCC 12 reports -Wrestrict inside std::string at -O3 where there is none.
  target_compile_options(project_warnings INTERFACE -Werror $<$<CXX_COMPILER_ID:GNU>:-Wno-error=restrict>)
endif()

add_library(project_options INTERFACE)
# Everything may end up inside a plug-in library; GNU unique symbols would make dlclose keep
# a library (and its registry rows) loaded until exit.
target_compile_options(project_options INTERFACE $<$<CXX_COMPILER_ID:GNU>:-fno-gnu-unique>)
if(PAGEMILL_SANITIZE)
  target_compile_options(project_options INTERFACE
    -fsanitize=${PAGEMILL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(project_options INTERFACE -fsanitize=${PAGEMILL_SANITIZE})
endif()
