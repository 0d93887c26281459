// Every cell picture of the catalog, drawn and encoded in its declared format.
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

namespace vestora::pictures {

struct GeneratedPicture {
  std::string fileName;  // as PictureFileName gives it
  QByteArray bytes;
};

// In catalog order: categories as the main window lists them, cells in display order. Cells that
// offer the same item share one picture, byte for byte.
std::vector<GeneratedPicture> GeneratePictures();

// The CMake list of the files, relative to the assets folder.
std::string FileListCMake(const std::vector<GeneratedPicture>& pictures);

}  // namespace vestora::pictures
