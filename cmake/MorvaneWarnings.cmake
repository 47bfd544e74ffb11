# Every target of ours gets the same strict warnings; third-party headers
# come in as SYSTEM includes and stay quiet.
function(_morvane_warning_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
    -Wimplicit-fallthrough)
  if(MORVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

include(MorvanePrecompiled)

# gold links our hundred programs in a quarter of the default linker's time.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=gold MORVANE_LINKS_WITH_GOLD)

# Called once a target's links are known: the warnings, the shared
# precompiled header that fits them, and the faster linker.
function(morvane_warnings target)
  _morvane_warning_options(${target})
  morvane_precompiled(${target})
  if(MORVANE_LINKS_WITH_GOLD)
    target_link_options(${target} PRIVATE -fuse-ld=gold)
  endif()
endfunction()

# A library of one subsystem: sources listed explicitly, warnings applied.
function(morvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  morvane_warnings(${name})
endfunction()
