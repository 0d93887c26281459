// vestora-picture-generator <output-dir>: draws every cell picture of the catalog and writes
// the files, with files.cmake listing them, into the folder.
#include <QByteArray>
#include <QCoreApplication>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "picture_set.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const char* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data, static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output-dir>\n",
                 argc > 0 ? argv[0] : "vestora-picture-generator");
    return 2;
  }
  // Drawing into images needs no display, only the image format plugins.
  QCoreApplication app(argc, argv);
  const std::filesystem::path folder(argv[1]);
  try {
    std::filesystem::create_directories(folder);
    const auto pictures = vestora::pictures::GeneratePictures();
    for (const auto& picture : pictures) {
      if (!WriteFile(folder / picture.fileName, picture.bytes.constData(),
                     static_cast<std::size_t>(picture.bytes.size()))) {
        std::fprintf(stderr, "cannot write %s\n", (folder / picture.fileName).c_str());
        return 1;
      }
    }
    const std::string list = vestora::pictures::FileListCMake(pictures);
    if (!WriteFile(folder / "files.cmake", list.data(), list.size())) {
      std::fprintf(stderr, "cannot write %s\n", (folder / "files.cmake").c_str());
      return 1;
    }
    std::printf("%zu pictures written to %s\n", pictures.size(), folder.c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
