# vortane_add_gauge(<name> SOURCES <files>... [INTERNAL_NAME <text>])
#
# One gauge module: its sources, the framework, and its bitmaps drawn at build
# time and carried inside the module file (a resource pack in an ELF section;
# on Windows, bitmap resources). The module exports Linkage and ImportTable and
# nothing else. INTERNAL_NAME is the name in a Windows module's export
# directory, "VORTANE.gau" unless the gauge says otherwise.
if(WIN32)
  enable_language(RC)
endif()

# vortane_embed_bitmaps(<tag> <out-var> <bitmap files>...)
# Packs the bitmaps and gives back an assembly source that carries the pack in
# the section the host reads (.vortane_resources); add it to a module's sources.
function(vortane_embed_bitmaps tag out_var)
  set(pack ${CMAKE_CURRENT_BINARY_DIR}/${tag}.respack)
  add_custom_command(
    OUTPUT ${pack}
    COMMAND vortane-respack ${pack} ${ARGN}
    DEPENDS vortane-respack ${ARGN}
    COMMENT "Packing the ${tag} bitmaps"
    VERBATIM)
  set(embed ${CMAKE_CURRENT_BINARY_DIR}/${tag}_resources.S)
  file(WRITE ${embed}.in
    "  .section .vortane_resources,\"a\"\n"
    "  .balign 16\n"
    "  .incbin \"${pack}\"\n"
    "  .section .note.GNU-stack,\"\",@progbits\n")
  configure_file(${embed}.in ${embed} COPYONLY)
  set_source_files_properties(${embed} PROPERTIES OBJECT_DEPENDS ${pack})
  set(${out_var} ${embed} PARENT_SCOPE)
endfunction()

function(vortane_add_gauge name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "INTERNAL_NAME" "SOURCES")
  set(art_dir ${CMAKE_CURRENT_BINARY_DIR}/bitmaps)
  vortane_gauge_bitmaps(${name} ${art_dir} bitmaps)
  if(WIN32)
    if(NOT arg_INTERNAL_NAME)
      set(arg_INTERNAL_NAME "VORTANE.gau")
    endif()
    _vortane_add_windows_gauge(${name} "${arg_INTERNAL_NAME}" "${arg_SOURCES}" "${bitmaps}")
    return()
  endif()

  vortane_embed_bitmaps(${name} embed ${bitmaps})
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

# vortane_windows_module_files(<name> <internal-name> <exports> <bitmaps> <def-var> <rc-var>)
# The two files that make a Windows module what a panel system expects: a .def
# file with the export list (data only) and the export directory's name, and a
# resource script with the bitmaps under their ids and the version.
function(vortane_windows_module_files name internal_name exports bitmaps def_var rc_var)
  set(export_lines "")
  foreach(symbol IN LISTS exports)
    string(APPEND export_lines "  ${symbol} DATA\n")
  endforeach()
  set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
  file(CONFIGURE OUTPUT ${def} CONTENT [[
LIBRARY "@internal_name@"
EXPORTS
@export_lines@]] @ONLY)

  set(bitmap_lines "")
  foreach(bmp IN LISTS bitmaps)
    get_filename_component(id ${bmp} NAME_WE)
    string(APPEND bitmap_lines "${id} BITMAP \"${bmp}\"\n")
  endforeach()
  # Numbers rather than winver.h names: the script is read by windres alone.
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT [[
@bitmap_lines@
1 VERSIONINFO
FILEVERSION 1,0,0,0
PRODUCTVERSION 1,0,0,0
FILEFLAGSMASK 0x3f
FILEFLAGS 0x0
FILEOS 0x40004
FILETYPE 0x2
FILESUBTYPE 0x0
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904b0"
    BEGIN
      VALUE "CompanyName", "Vortane"
      VALUE "FileDescription", "Vortane @name@ gauge"
      VALUE "FileVersion", "1.0.0.0"
      VALUE "InternalName", "@internal_name@"
      VALUE "OriginalFilename", "@name@.gau"
      VALUE "ProductName", "Vortane panel"
      VALUE "ProductVersion", "1.0.0.0"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x409, 1200
  END
END
]] @ONLY)
  # The script names the bitmaps; windres reads them when it compiles it.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${bitmaps}")
  set(${def_var} ${def} PARENT_SCOPE)
  set(${rc_var} ${rc} PARENT_SCOPE)
endfunction()

# <name>.gau, a DLL, with the C and C++ runtimes linked in.
function(_vortane_add_windows_gauge name internal_name sources bitmaps)
  vortane_windows_module_files(${name} "${internal_name}" "Linkage;ImportTable" "${bitmaps}" def rc)
  add_library(${name} MODULE ${sources} ${rc} ${def})
  target_link_libraries(${name} PRIVATE vortane_module_boundary vortane_framework)
  target_compile_options(${name} PRIVATE ${VORTANE_WARNINGS})
  target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    SUFFIX ".gau"
    LIBRARY_OUTPUT_DIRECTORY ${VORTANE_MODULE_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  # What the Windows checks compare the module file with.
  set_target_properties(${name} PROPERTIES
    VORTANE_INTERNAL_NAME "${internal_name}"
    VORTANE_BITMAP_DIR ${CMAKE_CURRENT_BINARY_DIR}/bitmaps)
  set_property(GLOBAL APPEND PROPERTY VORTANE_GAUGES ${name})
endfunction()
