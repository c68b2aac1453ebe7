#pragma once
// The footer of every printed or exported page.
#include <QString>

namespace tavelmark::ui {

// "第 2 页 共 5 页": the page's number and how many pages the document has.
inline QString PageFooter(int page, int pages) {
    return QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages);
}

}  // namespace tavelmark::ui
