#pragma once
// Qt's own Chinese texts, so standard buttons read 确定, 取消, 是, 否.
class QCoreApplication;

namespace tavelmark::app {

// Installs qtbase_zh_CN from Qt's translations folder; false when missing
// (the buttons then keep their English texts).
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace tavelmark::app
