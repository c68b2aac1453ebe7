#pragma once
// Texts of the status bar's fourth panel.
namespace tavelmark::report {

inline constexpr const char* kStatusStarting = "初始化...";
inline constexpr const char* kStatusBusy = "正在运算,请稍候...";
inline constexpr const char* kStatusReady = "就绪";

}  // namespace tavelmark::report
