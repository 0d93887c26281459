// Words that say what kind of control something is. A screen reader says the kind itself, from
// the role, after the name: a name that ends in one of these is heard as "图片 image".
#pragma once

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace vestora::testing {

inline constexpr std::array<std::string_view, 26> kRoleWords = {
    "图片",  "图像",  "图标",  "图",     "按钮",   "按键",    "框",      "组",   "窗口",
    "窗体",  "标签",  "文本",  "对话框", "image",  "picture", "graphic", "icon", "button",
    "group", "frame", "label", "text",   "window", "dialog",  "alert",   "panel"};

// The role word the name (UTF-8) ends in, spaces after it left out, or an empty view when none.
// Latin words are compared without regard to case.
inline std::string_view EndingRoleWord(std::string_view name) {
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  const auto lower = [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  for (const std::string_view word : kRoleWords) {
    if (name.size() < word.size()) continue;
    const std::string_view end = name.substr(name.size() - word.size());
    if (std::ranges::equal(end, word, {}, lower, lower)) return word;
  }
  return {};
}

}  // namespace vestora::testing
