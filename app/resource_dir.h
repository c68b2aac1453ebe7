#pragma once
// Where the files shipped beside the program live: brg.jpg and the help document.
#include <QString>

namespace tavelmark::app {

// The "resources" folder beside the executable (the build tree), else the
// installed share/tavelmark found from the executable's folder, else the
// source tree's resources folder, else the executable's own folder.
QString FindResourceDir();

}  // namespace tavelmark::app
