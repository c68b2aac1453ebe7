#pragma once
// Where the files shipped beside the program live: brg.jpg and the help document.
#include <QString>

namespace tavelmark::app {

// The "resources" folder beside the executable, else the source tree's
// resources folder (a program run from its build tree), else the
// executable's own folder.
QString FindResourceDir();

}  // namespace tavelmark::app
