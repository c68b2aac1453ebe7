# cmake -DSOURCE=<resources> -DDESTINATION=<dir> -DHELP_PAGES=<page;page...> -P assemble_resources.cmake
#
# The files shipped beside the programs, in one folder: resources/ (without
# the scripts that drew the pictures), each analysis's help page, and the help
# index with a line for each of them, read from the page's own <title> and its
# tavelmark-menu, tavelmark-summary and tavelmark-note meta tags.
string(REPLACE "|" ";" HELP_PAGES "${HELP_PAGES}")
file(MAKE_DIRECTORY ${DESTINATION})
file(COPY ${SOURCE}/ DESTINATION ${DESTINATION} PATTERN source EXCLUDE PATTERN *.in EXCLUDE)

function(page_meta page name out)
  file(STRINGS ${page} line ENCODING UTF-8 REGEX "<meta name=\"${name}\" content=\"[^\"]*\">" LIMIT_COUNT 1)
  string(REGEX REPLACE ".*content=\"([^\"]*)\".*" "\\1" value "${line}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

set(TAVELMARK_HELP_CONTENTS "")
set(TAVELMARK_HELP_MENU_ROWS "")
foreach(page IN LISTS HELP_PAGES)
  get_filename_component(name ${page} NAME)
  file(COPY ${page} DESTINATION ${DESTINATION}/help)
  file(STRINGS ${page} title_line ENCODING UTF-8 REGEX "<title>.*</title>" LIMIT_COUNT 1)
  string(REGEX REPLACE ".*<title>(.*)</title>.*" "\\1" title "${title_line}")
  page_meta(${page} tavelmark-menu menu)
  page_meta(${page} tavelmark-summary summary)
  page_meta(${page} tavelmark-note note)
  if(note)
    set(note "(${note})")
  endif()
  string(APPEND TAVELMARK_HELP_CONTENTS "<li><a href=\"${name}\">${title}</a>：${summary}</li>\n")
  string(APPEND TAVELMARK_HELP_MENU_ROWS "<tr><td>${menu}</td><td><a href=\"${name}\">${title}</a>${note}</td></tr>\n")
endforeach()
configure_file(${SOURCE}/help/index.html.in ${DESTINATION}/help/index.html @ONLY)
