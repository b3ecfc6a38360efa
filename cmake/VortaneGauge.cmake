# vortane_add_gauge(<name> SOURCES <files>...)
#
# One gauge module: its sources, the framework, and its bitmaps drawn at build
# time and carried inside the module file (a resource pack in an ELF section).
# The module exports Linkage and ImportTable and nothing else.
function(vortane_add_gauge name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES")
  set(art_dir ${CMAKE_CURRENT_BINARY_DIR}/bitmaps)
  vortane_gauge_bitmaps(${name} ${art_dir} bitmaps)

  set(pack ${CMAKE_CURRENT_BINARY_DIR}/${name}.respack)
  add_custom_command(
    OUTPUT ${pack}
    COMMAND vortane-respack ${pack} ${bitmaps}
    DEPENDS vortane-respack ${bitmaps}
    COMMENT "Packing the ${name} bitmaps"
    VERBATIM)
  set(embed ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources.S)
  file(WRITE ${embed}.in
    "  .section .vortane_resources,\"a\"\n"
    "  .balign 16\n"
    "  .incbin \"${pack}\"\n"
    "  .section .note.GNU-stack,\"\",@progbits\n")
  configure_file(${embed}.in ${embed} COPYONLY)
  set_source_files_properties(${embed} PROPERTIES OBJECT_DEPENDS ${pack})

  add_library(${name} MODULE ${arg_SOURCES} ${embed})
  target_link_libraries(${name} PRIVATE vortane_module_boundary vortane_framework)
  target_compile_options(${name} PRIVATE ${VORTANE_WARNINGS})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${VORTANE_MODULE_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${VORTANE_EXPORTS_MAP})
  target_link_options(${name} PRIVATE -Wl,--version-script=${VORTANE_EXPORTS_MAP})
  if(NOT VORTANE_SANITIZE)
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
  set_property(GLOBAL APPEND PROPERTY VORTANE_GAUGES ${name})
endfunction()
