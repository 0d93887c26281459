// Every sentence the backends tell the user when something fails, in one place and in no
// toolkit's terms: the failure box's text, and the reasons the operations give (forms::Failure).
// What the program was doing when it failed is the program's to say (app/failure_messages.h).
#pragma once

#include <string>
#include <string_view>

namespace vestora::forms {

inline constexpr std::string_view kFailureBoxTitle = "Vestora";

// The failure box: what the program was doing, why that failed, and that it goes on.
inline std::string FailureBoxText(std::string_view what, std::string_view reason) {
  return "操作未能完成：" + std::string(what) + "。\n\n原因：" + std::string(reason) +
         "\n\n程序会继续运行。";
}

// "“name”", in the quotation marks every reason puts around a name.
inline std::string Quoted(std::string_view name) {
  return "“" + std::string(name) + "”";
}

inline std::string NoSuchControl(std::string_view form, std::string_view control) {
  return "窗口" + Quoted(form) + "中没有控件" + Quoted(control);
}

inline std::string NoSuchFrame(std::string_view control) {
  return "控件" + Quoted(control) + "所在的框架不存在";
}

inline std::string NoSuchPicture(std::string_view fileName) {
  return "程序中没有图片" + Quoted(fileName);
}

inline std::string UndecodablePicture(std::string_view fileName) {
  return "图片" + Quoted(fileName) + "无法解码";
}

// The system's reason follows the colon.
inline std::string CannotCreateWindow(std::string_view form, std::string_view reason) {
  return "无法创建窗口" + Quoted(form) + "：" + std::string(reason);
}

inline std::string CannotCreateControl(std::string_view control, std::string_view reason) {
  return "无法创建控件" + Quoted(control) + "：" + std::string(reason);
}

// The fonts of its texts.
inline std::string CannotCreateFonts(std::string_view form) {
  return "无法创建窗口" + Quoted(form) + "显示文本所用的资源";
}

inline std::string CannotStartProgram(std::string_view program, std::string_view reason) {
  return "无法启动程序" + Quoted(program) + "：" + std::string(reason);
}

// Where a program is started through the desktop's opener (xdg-open).
inline constexpr std::string_view kProgramUnknownHere = "本平台不认识这个程序";
inline std::string NotOneAddress(std::size_t arguments) {
  return "它应当只有一个网址参数，却有 " + std::to_string(arguments) + " 个";
}
inline constexpr std::string_view kNoOpener =
    "无法打开网址：找不到可执行的 xdg-open（请安装 xdg-utils）";
inline std::string CannotStartOpener(std::string_view reason) {
  return "无法启动 xdg-open：" + std::string(reason);
}

}  // namespace vestora::forms
