#pragma once
// The push buttons of the analysis windows (在线帮助, 参数设置, 计算...).
class QPushButton;
class QWidget;

namespace tavelmark::ui {

// A button with its object name and tooltip, known to screen readers by its
// caption and tooltip; never auto-default, so Enter does not press it.
QPushButton* MakeCommandButton(QWidget* parent, const char* name, const char* caption,
                               const char* tooltip);

}  // namespace tavelmark::ui
