// Scenery for the background categories.
#pragma once

#include <QImage>

#include "random.h"

namespace vestora::pictures {

enum class SceneTheme {
  Cartoon,    // bright colours, cartoon sun, clouds and stars
  Meadow,     // lush green grass
  Night,      // hazy night: moon, stars, skyline and mist
  Elegance,   // quiet pastel rooms and gardens
  Love,       // pink tones and hearts
  Spring,     // blossoms, fresh green and flowers
  Mountains,  // high mountains and flowing water
  History,    // old walls, pagodas and ruins in sepia
  Snow,       // white snowy landscapes
  Sunset,     // sunset sea, lone tree, lighthouse
};

inline constexpr int kSceneVariants = 6;

// One picture of the theme; `variant` picks the composition, `alternate` its second look (mirrored,
// in other light), `rng` the details and colours.
QImage DrawScene(int width, int height, SceneTheme theme, int variant, bool alternate, Rng& rng);

}  // namespace vestora::pictures
