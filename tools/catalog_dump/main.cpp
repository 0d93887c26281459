// Prints the built-in catalog as tab-separated text, for a maintainer to review and diff:
//   vestora-catalog-dump            one line per cell, in catalog order, with its picture's facts
//   vestora-catalog-dump --windows  one line per category window
//   vestora-catalog-dump --icon     the embedded window icon's bytes
// A picture that is not embedded yet leaves its six picture columns empty. Exit status 1 when an
// embedded picture is not a complete JPEG or GIF (its line is still printed), when the icon is not
// embedded or when standard output fails; 2 for any other argument.
#include <QByteArray>
#include <QCryptographicHash>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/link_launcher.h"
#include "catalog/catalog.h"
#include "catalog/link_commands.h"
#include "forms/qt/resources.h"
#include "tools/catalog_dump/image_probe.h"

namespace {

using namespace vestora;

constexpr std::string_view kProgram = "vestora-catalog-dump";

constexpr char kUsage[] =
    "usage: vestora-catalog-dump [--windows | --icon]\n"
    "  (no argument)  one tab-separated line per cell, in catalog order\n"
    "  --windows      one tab-separated line per category window\n"
    "  --icon         the embedded window icon's bytes, to standard output\n";

using Row = std::vector<std::string>;

const Row kCellHeader = {
    "window",       "row",          "column",       "picture_box",     "picture_rect",
    "picture_back", "button",       "button_rect",  "picture_focus",   "button_focus",
    "link_kind",    "launch_style", "command_line", "image_signature", "image_width",
    "image_height", "image_frames", "image_bytes",  "image_sha256"};

const Row kWindowHeader = {"window",      "title",        "group",         "main_button",
                           "caption",     "client_width", "client_height", "placement",
                           "client_left", "client_top",   "has_icon",      "cells"};

void Complain(std::string_view message) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(kProgram.size()), kProgram.data(),
               static_cast<int>(message.size()), message.data());
}

bool WriteBytes(std::span<const char> bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
}

// Standard output takes everything that was written, or the run fails.
int Finish(int status) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    Complain("cannot write to standard output");
    return 1;
  }
  return status;
}

// One line of fields joined by tabs. A field that held a tab or a line end would shift every
// column after it, so such a row is refused rather than printed.
bool WriteRow(const Row& row) {
  std::string line;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (row[i].find_first_of("\t\r\n") != std::string::npos) {
      Complain("a field holds a tab or a line end: " + row[i]);
      return false;
    }
    if (i > 0) line += '\t';
    line += row[i];
  }
  line += '\n';
  return WriteBytes(line);
}

std::string Text(std::string_view text) {
  return std::string(text);
}

std::string Number(int value) {
  return std::to_string(value);
}

std::string Rect(const TwipRect& rect) {
  return Number(rect.left) + ',' + Number(rect.top) + ',' + Number(rect.width) + ',' +
         Number(rect.height);
}

// The six picture columns, all empty when the picture is not embedded. A picture whose structure
// is broken keeps its signature, byte count and digest but no size or frame count.
bool AppendPictureColumns(const Category& category, const ItemCell& cell, Row& row) {
  const std::string fileName = PictureFileName(category, cell);
  const QByteArray bytes = qt::ReadResource(qt::PicturePath(fileName));
  if (bytes.isEmpty()) {
    row.insert(row.end(), 6, std::string());
    return true;
  }
  const dump::ImageFacts facts =
      dump::ProbeImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                 static_cast<std::size_t>(bytes.size())));
  row.push_back(facts.format ? Text(ImageFormatName(*facts.format)) : std::string());
  if (facts.complete) {
    row.push_back(Number(facts.width));
    row.push_back(Number(facts.height));
    row.push_back(Number(facts.frames));
  } else {
    row.insert(row.end(), 3, std::string());
  }
  row.push_back(std::to_string(bytes.size()));
  row.push_back(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString());
  if (!facts.complete) Complain(fileName + ": not a complete JPEG or GIF file");
  return facts.complete;
}

int DumpCells() {
  bool ok = WriteRow(kCellHeader);
  bool picturesIntact = true;
  for (const Category& category : Catalog()) {
    for (const ItemCell& cell : Cells(category)) {
      Row row = {Text(category.windowName),
                 Number(cell.row),
                 Number(cell.column),
                 Text(PictureName(cell.pictureBox)),
                 Rect(cell.pictureRect),
                 Text(PictureBackName(cell.pictureBack)),
                 Text(CommandName(cell.button)),
                 Rect(cell.buttonRect),
                 Number(cell.pictureFocus),
                 Number(cell.buttonFocus),
                 Text(LinkKindName(cell.link.kind))};
      if (cell.HasLink()) {
        row.push_back(Number(static_cast<int>(app::StyleFor(cell.link.kind))));
        row.push_back(BuildCommandLine(cell.link));
      } else {
        row.insert(row.end(), 2, std::string());
      }
      picturesIntact = AppendPictureColumns(category, cell, row) && picturesIntact;
      ok = ok && WriteRow(row);
    }
  }
  return Finish(ok && picturesIntact ? 0 : 1);
}

int DumpWindows() {
  bool ok = WriteRow(kWindowHeader);
  for (const Category& category : Catalog()) {
    const bool manual = category.placement == Placement::ManualPlacement;
    const Row row = {Text(category.windowName),
                     Text(category.title),
                     Text(GroupName(category.group)),
                     Text(category.mainButton),
                     Text(category.caption),
                     Number(category.clientWidth),
                     Number(category.clientHeight),
                     Text(PlacementName(category.placement)),
                     manual ? Number(category.clientLeft) : std::string(),
                     manual ? Number(category.clientTop) : std::string(),
                     category.hasIcon ? "yes" : "no",
                     Number(static_cast<int>(Cells(category).size()))};
    ok = ok && WriteRow(row);
  }
  return Finish(ok ? 0 : 1);
}

int WriteIcon() {
  const QByteArray icon = qt::ReadResource(qt::kIconPath);
  if (icon.isEmpty()) {
    Complain("the window icon is not embedded in this build");
    return 1;
  }
  return Finish(WriteBytes(std::span(icon.constData(), static_cast<std::size_t>(icon.size()))) ? 0
                                                                                               : 1);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 1) return DumpCells();
  if (argc == 2 && std::string_view(argv[1]) == "--windows") return DumpWindows();
  if (argc == 2 && std::string_view(argv[1]) == "--icon") return WriteIcon();
  std::fputs(kUsage, stderr);
  return 2;
}
