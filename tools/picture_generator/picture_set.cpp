#include "picture_set.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "catalog/catalog.h"
#include "drawing.h"
#include "encoders.h"
#include "figure.h"
#include "random.h"
#include "scenes.h"

namespace vestora::pictures {

namespace {

constexpr int kAnimationFrames = 6;
constexpr int kAnimationDelay = 50;  // hundredths of a second
constexpr int kMinimumBytes = 4 * 1024;
constexpr int kMaximumBytes = 46 * 1024;

std::optional<OutfitStyle> OutfitStyleFor(std::string_view title) {
  static const std::pair<std::string_view, OutfitStyle> kStyles[] = {
      {"个性女生QQ秀", OutfitStyle::GirlIndividual}, {"温柔女生QQ秀", OutfitStyle::GirlGentle},
      {"非主流QQ秀", OutfitStyle::GirlAlternative},  {"贤淑女生QQ秀", OutfitStyle::GirlLadylike},
      {"个性男生QQ秀", OutfitStyle::BoyIndividual},  {"收费雷人QQ秀", OutfitStyle::BoyShowyPaid},
      {"免费雷人QQ秀", OutfitStyle::BoyShowyFree},
  };
  for (const auto& [name, style] : kStyles) {
    if (name == title) return style;
  }
  return std::nullopt;
}

std::optional<SceneTheme> SceneThemeFor(std::string_view title) {
  static const std::pair<std::string_view, SceneTheme> kThemes[] = {
      {"动漫卡通", SceneTheme::Cartoon},   {"青草萋萋", SceneTheme::Meadow},
      {"夜色朦胧", SceneTheme::Night},     {"恬静优雅", SceneTheme::Elegance},
      {"憧憬爱情", SceneTheme::Love},      {"春意盎然", SceneTheme::Spring},
      {"高山流水", SceneTheme::Mountains}, {"历史沧桑", SceneTheme::History},
      {"白雪悠然", SceneTheme::Snow},      {"我心依旧", SceneTheme::Sunset},
  };
  for (const auto& [name, theme] : kThemes) {
    if (name == title) return theme;
  }
  return std::nullopt;
}

// The frames of one picture: one for a still picture, six for an animation.
std::vector<QImage> DrawFrames(const Category& category, const ItemCell& cell, int index,
                               Rng& rng) {
  const ImageInfo& info = cell.image;
  const bool animated = info.format == ImageFormat::GIF89a;
  if (category.group == CategoryGroup::Backgrounds) {
    const std::optional<SceneTheme> theme = SceneThemeFor(category.title);
    if (!theme || animated) {
      throw std::runtime_error("no scenery for " + std::string(category.windowName));
    }
    // Past the first six, the compositions come again in another order and another light.
    const int round = index / kSceneVariants;
    const int variant = (index + round * 3) % kSceneVariants;
    return {DrawScene(info.width, info.height, *theme, variant, round % 2 == 1, rng)};
  }
  const std::optional<OutfitStyle> style = OutfitStyleFor(category.title);
  if (!style) throw std::runtime_error("no outfits for " + std::string(category.windowName));
  const FigureLook look = MakeLook(*style, index, animated, rng);
  if (!animated) return {DrawFigure(info.width, info.height, look, FigureFrame{})};
  std::vector<QImage> frames;
  for (int i = 0; i < kAnimationFrames; ++i) {
    frames.push_back(DrawFigure(info.width, info.height, look, AnimationFrame(look, i)));
  }
  return frames;
}

QByteArray Encode(const ImageInfo& info, std::vector<QImage> frames, std::uint64_t grainSeed) {
  // The same grain on every frame, so that unchanged pixels stay unchanged.
  for (QImage& frame : frames) {
    Rng grain(grainSeed);
    AddGrain(frame, grain, info.format == ImageFormat::JPEG ? 3 : 2);
  }
  switch (info.format) {
    case ImageFormat::GIF87a:
      return EncodeGif87a(frames.front());
    case ImageFormat::GIF89a:
      return EncodeGif89a(frames, kAnimationDelay);
    case ImageFormat::JPEG:
      break;
  }
  // Keep every file a believable size: step the quality until it lands in range.
  int quality = 86;
  QByteArray bytes = EncodeJpeg(frames.front(), quality);
  while (bytes.size() > kMaximumBytes && quality > 40) {
    quality -= 6;
    bytes = EncodeJpeg(frames.front(), quality);
  }
  while (bytes.size() < kMinimumBytes && quality < 98) {
    quality += 4;
    bytes = EncodeJpeg(frames.front(), quality);
  }
  return bytes;
}

std::string PictureKey(const Category& category, const ItemCell& cell) {
  if (cell.link.kind == LinkKind::ItemPageLink) return "item-" + std::to_string(cell.link.itemId);
  return PictureFileName(category, cell);
}

}  // namespace

std::vector<GeneratedPicture> GeneratePictures() {
  std::vector<GeneratedPicture> pictures;
  struct Drawn {
    ImageInfo info;
    QByteArray bytes;
  };
  std::map<std::string, Drawn> byKey;
  for (const Category& category : Catalog()) {
    int index = 0;
    for (const ItemCell& cell : Cells(category)) {
      const std::string key = PictureKey(category, cell);
      auto found = byKey.find(key);
      if (found == byKey.end()) {
        // The item is drawn where it first appears and reused wherever else it is offered.
        Rng rng(HashName(key));
        std::vector<QImage> frames = DrawFrames(category, cell, index, rng);
        const std::uint64_t grainSeed = rng.Next();
        found =
            byKey.emplace(key, Drawn{cell.image, Encode(cell.image, std::move(frames), grainSeed)})
                .first;
      } else if (found->second.info.format != cell.image.format ||
                 found->second.info.width != cell.image.width ||
                 found->second.info.height != cell.image.height) {
        throw std::runtime_error(key + " is offered with two different pictures");
      }
      pictures.push_back({PictureFileName(category, cell), found->second.bytes});
      ++index;
    }
  }
  return pictures;
}

std::string FileListCMake(const std::vector<GeneratedPicture>& pictures) {
  std::string text =
      "# The cell pictures, written by vestora-picture-generator: regenerate them, do not edit.\n"
      "set(VESTORA_PICTURE_FILES\n";
  for (const GeneratedPicture& picture : pictures) {
    text += "  pictures/" + picture.fileName + "\n";
  }
  text += ")\n";
  return text;
}

}  // namespace vestora::pictures
