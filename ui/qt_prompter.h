#pragma once
// The desktop program's prompter: modal message boxes over the main window
// and the busy/ready status through the callback the main window gives.
#include <functional>

#include "report/prompter.h"

class QWidget;
class QString;

namespace tavelmark::ui {

class QtPrompter : public report::Prompter {
public:
    QtPrompter(QWidget* dialogParent, std::function<void(bool busy)> setBusy);

    void message(std::string_view text, std::string_view title, report::MessageIcon icon) override;
    bool ask(std::string_view text, std::string_view title, report::MessageIcon icon) override;
    void setStatusBusy() override;
    void setStatusReady() override;
    // The calculation has already selected the block in its grid; the window
    // refreshes its grid view after the command, so nothing to do here.
    void showGridSelection(const model::RangeRef& range) override;

private:
    QWidget* dialogParent_;
    std::function<void(bool)> setBusy_;
};

// Message texts join their lines with carriage returns alone (the help
// boxes do); a message box breaks lines at line feeds.
QString MessageBoxText(std::string_view text);

}  // namespace tavelmark::ui
