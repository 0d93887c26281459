// What the failure path tells the user a handler was doing when it failed.
#pragma once

#include <string_view>

namespace vestora::app {

inline constexpr std::string_view kFailedShowingMainWindow = "显示主窗口";
inline constexpr std::string_view kFailedOpeningWindow = "打开窗口";
inline constexpr std::string_view kFailedShowingNotice = "显示提示框";
inline constexpr std::string_view kFailedBlinkingSlogan = "切换标语";
inline constexpr std::string_view kFailedStartingBrowser = "启动浏览器";
inline constexpr std::string_view kUnknownReason = "未知错误";

}  // namespace vestora::app
