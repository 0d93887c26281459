// Standing cartoon figures in outfits: the pictures of the girls' and boys' categories.
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>

#include "random.h"

namespace vestora::pictures {

// How the items of one outfit category are dressed.
enum class OutfitStyle {
  GirlIndividual,   // bold colours, sporty and street pieces
  GirlGentle,       // pastel dresses, bows and long hair
  GirlAlternative,  // dark clothes, dyed side-swept hair, big glasses
  GirlLadylike,     // long dresses and high-collared gowns, hair in buns
  BoyIndividual,    // jackets, hoodies, caps
  BoyShowyPaid,     // grand costumes: wings, crowns, capes
  BoyShowyFree,     // silly costumes: animal suits, clown wigs, wild hair
};

enum class HairStyle {
  Long,
  TwinTails,
  Ponytail,
  Bob,
  Buns,
  TopBun,
  Curly,
  SweptLong,
  SweptBob,
  Short,
  Spiky,
  SidePart,
  Messy,
  Afro,
  Mohawk,
  Buzz,
};
enum class Outfit {
  Dress,
  LongDress,
  Gown,
  TopSkirt,
  TopShorts,
  TopTrousers,
  Suit,
  Hoodie,
  BodySuit
};
enum class Pattern { Plain, Stripes, Dots, Hearts, Checks, Stars, Flowers };
enum class Headwear {
  None,
  Bow,
  Cap,
  Beanie,
  Beret,
  Crown,
  FlowerClip,
  FlowerCrown,
  Headphones,
  Tiara,
  WizardHat,
  TopHat,
  BunnyEars,
  CatEars,
  BearHood,
  CatHood,
  DinoHood,
  ChickenHood,
  Halo,
  Horns,
  Antennae,
  ClownWig,
  Hairpin,
};
enum class Eyewear { None, Round, Sunglasses, Hearts, Stars, Mask };
enum class BackPiece { None, AngelWings, FairyWings, BatWings, Cape };
enum class Mouth { Smile, Open, Small, Cat, Grin };
enum class Pose { ArmsDown, HandOnHip, Wave };
enum class Decor { Bubbles, Hearts, Stars, Dots, Stripes, Checks, Flowers, Sparkles, Notes };

struct FigureLook {
  bool girl = true;
  QColor skin, hair, eyes;
  HairStyle hairStyle = HairStyle::Long;
  Outfit outfit = Outfit::Dress;
  bool longSleeves = false;
  QColor top, bottom, accent, shoes, legwear;
  bool stockings = false;
  Pattern topPattern = Pattern::Plain;
  Pattern bottomPattern = Pattern::Plain;
  bool jacket = false;
  QColor jacketColor;
  Headwear headwear = Headwear::None;
  QColor headwearColor;
  Eyewear eyewear = Eyewear::None;
  QColor eyewearColor;
  BackPiece back = BackPiece::None;
  QColor backColor;
  bool scarf = false, necklace = false, bag = false, tie = false, belt = false;
  bool mustache = false, clownNose = false, tail = false, blush = true;
  Mouth mouth = Mouth::Smile;
  Pose pose = Pose::ArmsDown;
  QColor backgroundTop, backgroundBottom, decorColor;
  Decor decor = Decor::Bubbles;
  std::uint64_t decorSeed = 0;
};

// One moment of an animated figure.
struct FigureFrame {
  bool eyesClosed = false;
  double waveDegrees = 0;
  int sparklePhase = -1;  // none when negative
};

// The look of the item at `index` (0-based, display order) in a category of this style.
FigureLook MakeLook(OutfitStyle style, int index, bool animated, Rng& rng);

QImage DrawFigure(int width, int height, const FigureLook& look, const FigureFrame& frame);

// The moments of the six-frame animation of an animated look.
FigureFrame AnimationFrame(const FigureLook& look, int frameIndex);

}  // namespace vestora::pictures
