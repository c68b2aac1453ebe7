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

# The libraries whose headers `target` sees: those it links, and through each
# of them the ones linked publicly, transitively. A library linked privately
# behind a list ($<LINK_ONLY:...>) is linked but not seen.
function(tavelmark_visible_libraries target out)
  get_target_property(direct ${target} LINK_LIBRARIES)
  set(seen "")
  set(pending "")
  if(direct)
    set(pending ${direct})
  endif()
  while(pending)
    list(POP_FRONT pending library)
    if(NOT library MATCHES "^tavelmark_" OR library IN_LIST seen OR NOT TARGET ${library})
      continue()
    endif()
    list(APPEND seen ${library})
    get_target_property(public ${library} INTERFACE_LINK_LIBRARIES)
    if(public)
      list(APPEND pending ${public})
    endif()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The layers that know no particular analysis (ui, documents) and those that
# know them only through the one list (app, cli): none of them may see a
# header of an analysis's own folder, core or desktop. Checked when CMake
# configures, so a link that would break the rule stops the build at once.
function(tavelmark_check_analysis_layers)
  list(JOIN TAVELMARK_ANALYSES "|" names)
  foreach(target IN ITEMS tavelmark_ui tavelmark_documents tavelmark_app tavelmark_cli)
    if(NOT TARGET ${target})
      continue()
    endif()
    tavelmark_visible_libraries(${target} visible)
    foreach(library IN LISTS visible)
      if(library MATCHES "^tavelmark_(desktop_)?(${names})$")
        message(FATAL_ERROR "${target} sees the headers of ${library}: it may reach an analysis "
                            "only through the list of analyses (analyses/analysis_list.h, desktop/desktop_list.h)")
      endif()
    endforeach()
  endforeach()
endfunction()
