# The house's layers: each folder is one static library that links only the
# layers below it, and sees only their headers.
#
# A library's public include folder is a generated "view",
# <build>/include-views/<target>/, holding links to the headers of the
# library's own folder under their path from the repository root
# (include-views/tavelmark_model/model/workbook.h -> model/workbook.h). The
# repository root itself is on no include path, so a source file reaches a
# header, spelled from the root ("model/workbook.h"), only through the views
# of its own library and of the libraries it links: an include of a higher
# layer, of a sibling analysis or of the desktop program from the core does
# not compile.

# tavelmark_layer(target folder): gives `target` the view of `folder`'s
# headers (not those of its subfolders, which are libraries of their own:
# analyses/bliss/ui) and records it for the check that no function name is
# defined twice.
function(tavelmark_layer target folder)
  set(view ${CMAKE_BINARY_DIR}/include-views/${target})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view}/${folder})
  file(GLOB headers CONFIGURE_DEPENDS ${TAVELMARK_SOURCE_ROOT}/${folder}/*.h)
  foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${view}/${folder}/${name} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${view})
  set_property(GLOBAL APPEND PROPERTY TAVELMARK_LAYER_LIBRARIES ${target})
endfunction()
