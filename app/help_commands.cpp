#include "app/help_commands.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "app/help_menu_texts.h"
#include "app/help_window.h"
#include "app/text_box.h"

namespace tavelmark::app {

void OpenHelpTopic(QWidget* owner, const QString& resourceDir) {
    const QString path = QDir(resourceDir).filePath(QString::fromUtf8(kHelpDocument));
    if (!QFileInfo(path).isFile()) {
        const std::string text = "找不到帮助文件：\r" + QDir::toNativeSeparators(path).toStdString() +
                                 "\r\r请检查程序文件夹中的 resources/help 文件夹是否完整。";
        ShowTextBox(owner, text, QStringLiteral("帮助"), QMessageBox::Warning);
        return;
    }
    auto* window = owner != nullptr ? owner->findChild<HelpWindow*>() : nullptr;
    if (window == nullptr) window = new HelpWindow(path, owner);
    window->show();
    window->raise();
    window->activateWindow();
}

void ShowReferences(QWidget* owner) {
    ShowTextBox(owner, ReferencesText(), QString::fromUtf8(kReferencesTitle), QMessageBox::Warning);
}

void ShowAbout(QWidget* owner) {
    ShowTextBox(owner, AboutText(), QString::fromUtf8(kAboutTitle), QMessageBox::Warning);
}

}  // namespace tavelmark::app
