// Dressing the items of each outfit category. Each category walks through its own lists of
// styles so that neighbouring items never look alike; colours come from the item's generator.
#include <array>

#include "drawing.h"
#include "figure.h"

namespace vestora::pictures {

namespace {

template <typename T, std::size_t N>
T Cycle(const std::array<T, N>& items, int index) {
  return items[static_cast<std::size_t>(index) % N];
}

QColor SkinTone(Rng& rng) {
  return rng.Pick(
      {QColor(255, 226, 204), QColor(252, 216, 188), QColor(246, 206, 178), QColor(255, 232, 214)});
}

QColor NaturalHair(Rng& rng) {
  return rng.Pick({QColor(72, 46, 36), QColor(44, 38, 48), QColor(122, 72, 42),
                   QColor(160, 108, 66), QColor(226, 190, 116), QColor(96, 58, 40)});
}

constexpr std::array<QRgb, 7> kDyedHair = {0xee7aaa, 0x965cc0, 0xccccda, 0xc43442,
                                           0x547cd4, 0xf0963c, 0x3c2846};

QColor DyedHair(Rng& rng) {
  return QColor(kDyedHair[static_cast<std::size_t>(rng.Int(0, 6))]);
}

QColor EyeColour(Rng& rng) {
  return rng.Pick({QColor(90, 60, 40), QColor(60, 110, 190), QColor(70, 140, 90),
                   QColor(140, 80, 160), QColor(50, 40, 40)});
}

// A colour of the given hue with saturation and value drawn from the ranges, in that order.
QColor RandomHsv(Rng& rng, int hue, int s0, int s1, int v0, int v1) {
  const int saturation = rng.Int(s0, s1);
  const int value = rng.Int(v0, v1);
  return Hsv(hue, saturation, value);
}

QColor Pastel(Rng& rng, int hue) {
  return RandomHsv(rng, hue, 55, 110, 228, 252);
}
QColor Vivid(Rng& rng, int hue) {
  return RandomHsv(rng, hue, 170, 230, 200, 245);
}
QColor Deep(Rng& rng, int hue) {
  return RandomHsv(rng, hue, 120, 200, 90, 150);
}

void SoftBackground(FigureLook& look, Rng& rng, int hue) {
  look.backgroundTop = Hsv(hue, rng.Int(25, 60), 255);
  const int bottomHue = hue + rng.Int(-30, 30);
  look.backgroundBottom = RandomHsv(rng, bottomHue, 50, 90, 225, 245);
  const int decorHue = hue + rng.Int(-40, 40);
  look.decorColor = RandomHsv(rng, decorHue, 60, 140, 255, 255);
}

void DressGirlGentle(FigureLook& look, int i, Rng& rng) {
  using enum HairStyle;
  look.hairStyle = Cycle(
      std::array{Long, TwinTails, Bob, Curly, Ponytail, Long, Buns, Curly, TwinTails, Bob}, i);
  look.hair = NaturalHair(rng);
  look.outfit = Cycle(std::array{Outfit::Dress, Outfit::TopSkirt, Outfit::LongDress, Outfit::Dress,
                                 Outfit::TopSkirt},
                      i);
  look.longSleeves = i % 3 == 1;
  const int hue = rng.Pick({330, 350, 10, 280, 200, 180, 40, 300});
  look.top = Pastel(rng, hue);
  look.bottom = Pastel(rng, hue + rng.Int(20, 60));
  look.accent = Vivid(rng, hue + 10);
  look.topPattern =
      Cycle(std::array{Pattern::Plain, Pattern::Dots, Pattern::Hearts, Pattern::Flowers,
                       Pattern::Stripes, Pattern::Plain, Pattern::Checks},
            i);
  look.bottomPattern = Cycle(std::array{Pattern::Plain, Pattern::Checks, Pattern::Dots}, i);
  look.headwear =
      Cycle(std::array{Headwear::Bow, Headwear::FlowerClip, Headwear::Beret, Headwear::Bow,
                       Headwear::FlowerCrown, Headwear::None, Headwear::Tiara, Headwear::Hairpin},
            i);
  look.headwearColor = Vivid(rng, hue);
  look.bag = i % 4 == 2;
  look.necklace = i % 3 == 0;
  look.belt = look.outfit != Outfit::TopSkirt;
  look.stockings = rng.Chance(0.5);
  look.legwear = QColor(255, 255, 255);
  look.shoes = Hsv(hue, 120, 200);
  look.mouth = Cycle(std::array{Mouth::Smile, Mouth::Open, Mouth::Small, Mouth::Cat}, i);
  look.pose = Cycle(std::array{Pose::ArmsDown, Pose::HandOnHip, Pose::ArmsDown}, i);
  look.decor = Cycle(
      std::array{Decor::Hearts, Decor::Bubbles, Decor::Flowers, Decor::Sparkles, Decor::Dots}, i);
  SoftBackground(look, rng, hue + rng.Int(-20, 20));
}

void DressGirlIndividual(FigureLook& look, int i, Rng& rng) {
  using enum HairStyle;
  look.hairStyle = Cycle(std::array{Ponytail, Bob, TwinTails, Long, SweptBob}, i);
  look.hair = rng.Chance(0.6) ? NaturalHair(rng) : DyedHair(rng);
  look.outfit = Cycle(std::array{Outfit::TopShorts, Outfit::TopTrousers, Outfit::TopSkirt,
                                 Outfit::Dress, Outfit::TopTrousers},
                      i);
  const int hue = rng.Int(0, 359);
  look.top = Vivid(rng, hue);
  look.bottom = Cycle(std::array{Hsv(215, 150, 150), Hsv(0, 0, 50), Vivid(rng, hue + 180)}, i);
  look.accent = Vivid(rng, hue + 150);
  look.jacket = i % 2 == 1;
  look.jacketColor = rng.Pick(
      {QColor(40, 40, 48), QColor(70, 110, 170), QColor(170, 40, 60), QColor(230, 230, 236)});
  look.topPattern = Cycle(
      std::array{Pattern::Stripes, Pattern::Stars, Pattern::Plain, Pattern::Checks, Pattern::Dots},
      i);
  look.bottomPattern = look.outfit == Outfit::TopSkirt ? Pattern::Checks : Pattern::Plain;
  look.headwear = Cycle(std::array{Headwear::Cap, Headwear::Headphones, Headwear::Beanie,
                                   Headwear::CatEars, Headwear::Bow},
                        i);
  look.headwearColor = Vivid(rng, hue + 40);
  look.eyewear = i % 3 == 2 ? Eyewear::Sunglasses : Eyewear::None;
  look.eyewearColor = rng.Pick({QColor(40, 40, 60), QColor(200, 60, 120), QColor(60, 120, 200)});
  look.stockings = rng.Chance(0.6);
  look.legwear = Vivid(rng, hue + 60);
  look.shoes = rng.Pick({QColor(240, 240, 240), QColor(30, 30, 30), Vivid(rng, hue)});
  look.bag = i % 2 == 0;
  look.mouth = Cycle(std::array{Mouth::Open, Mouth::Grin, Mouth::Smile, Mouth::Cat}, i);
  look.pose = Cycle(std::array{Pose::HandOnHip, Pose::ArmsDown}, i);
  look.decor = Cycle(
      std::array{Decor::Stars, Decor::Stripes, Decor::Notes, Decor::Checks, Decor::Sparkles}, i);
  look.backgroundTop = Hsv(hue + 180, rng.Int(60, 110), 255);
  look.backgroundBottom = RandomHsv(rng, hue + 200, 110, 170, 215, 245);
  look.decorColor = Vivid(rng, hue + 90);
}

void DressGirlAlternative(FigureLook& look, int i, Rng& rng) {
  using enum HairStyle;
  look.hairStyle = Cycle(std::array{SweptLong, SweptBob, TwinTails, SweptLong, Buns}, i);
  // Every colour once before any comes again.
  look.hair = QColor(Cycle(kDyedHair, i * 3 + 1));
  look.outfit = Cycle(std::array{Outfit::Dress, Outfit::TopSkirt, Outfit::TopTrousers,
                                 Outfit::TopSkirt, Outfit::LongDress},
                      i);
  look.longSleeves = i % 2 == 0;
  const int hue = rng.Pick({280, 300, 330, 350, 260});
  look.top = i % 2 == 0 ? QColor(34, 30, 40) : Deep(rng, hue);
  look.bottom = i % 2 == 0 ? Deep(rng, hue) : QColor(30, 28, 34);
  look.accent = Vivid(rng, hue + rng.Int(-20, 20));
  look.topPattern = Cycle(std::array{Pattern::Stars, Pattern::Checks, Pattern::Hearts,
                                     Pattern::Stripes, Pattern::Plain},
                          i);
  look.bottomPattern = Cycle(std::array{Pattern::Checks, Pattern::Plain}, i);
  look.headwear = Cycle(std::array{Headwear::Bow, Headwear::None, Headwear::CatEars,
                                   Headwear::Headphones, Headwear::Beret},
                        i);
  look.headwearColor = i % 2 == 0 ? QColor(20, 20, 24) : look.accent;
  look.eyewear =
      Cycle(std::array{Eyewear::Round, Eyewear::None, Eyewear::Round, Eyewear::Sunglasses}, i);
  look.eyewearColor = QColor(20, 20, 24);
  look.scarf = i % 3 == 1;
  look.necklace = i % 3 != 1;
  look.stockings = true;
  look.legwear = rng.Pick({QColor(30, 30, 34), QColor(90, 60, 110), QColor(230, 230, 235)});
  look.shoes = QColor(30, 28, 32);
  look.blush = i % 2 == 1;
  look.mouth = Cycle(std::array{Mouth::Small, Mouth::Cat, Mouth::Smile}, i);
  look.pose = Cycle(std::array{Pose::ArmsDown, Pose::HandOnHip}, i + 1);
  look.decor = Cycle(std::array{Decor::Stars, Decor::Hearts, Decor::Sparkles, Decor::Stripes}, i);
  look.backgroundTop = RandomHsv(rng, hue, 60, 120, 120, 170);
  look.backgroundBottom = RandomHsv(rng, hue + 20, 40, 90, 200, 235);
  look.decorColor = Hsv(hue - 20, 90, 255);
}

void DressGirlLadylike(FigureLook& look, int i, Rng& rng) {
  using enum HairStyle;
  look.hairStyle = Cycle(std::array{TopBun, Long, Curly, TopBun, Ponytail}, i);
  look.hair = rng.Pick({QColor(44, 38, 48), QColor(72, 46, 36), QColor(96, 58, 40)});
  look.outfit = Cycle(std::array{Outfit::Gown, Outfit::LongDress, Outfit::Gown, Outfit::LongDress,
                                 Outfit::TopSkirt},
                      i);
  const int hue = rng.Pick({355, 150, 220, 40, 280, 10});
  look.top = Cycle(std::array{Deep(rng, hue), Pastel(rng, hue), Hsv(hue, 180, 190)}, i);
  look.bottom = Shade(look.top, 0.85);
  look.accent = rng.Pick({QColor(230, 190, 90), QColor(250, 245, 235), QColor(200, 60, 70)});
  look.topPattern = Cycle(std::array{Pattern::Flowers, Pattern::Plain, Pattern::Dots}, i);
  look.bottomPattern = Pattern::Plain;
  look.longSleeves = i % 2 == 1;
  look.headwear = Cycle(std::array{Headwear::Hairpin, Headwear::FlowerClip, Headwear::Tiara,
                                   Headwear::FlowerClip, Headwear::Bow},
                        i);
  look.headwearColor = Vivid(rng, hue + 20);
  look.necklace = true;
  look.belt = look.outfit == Outfit::LongDress;
  look.shoes = Shade(look.top, 0.7);
  look.mouth = Cycle(std::array{Mouth::Smile, Mouth::Small}, i);
  look.pose = Cycle(std::array{Pose::ArmsDown, Pose::HandOnHip, Pose::ArmsDown}, i);
  look.bag = i == 3;
  look.decor = Cycle(std::array{Decor::Flowers, Decor::Dots, Decor::Bubbles}, i);
  look.backgroundTop = Hsv(40, rng.Int(20, 45), 252);
  const int bottomHue = 30 + rng.Int(-10, 20);
  look.backgroundBottom = RandomHsv(rng, bottomHue, 40, 80, 225, 240);
  look.decorColor = Hsv(hue + 10, 80, 240);
}

void DressBoyIndividual(FigureLook& look, int i, Rng& rng) {
  using enum HairStyle;
  look.hairStyle =
      Cycle(std::array{Spiky, SidePart, Short, Messy, Spiky, Buzz, SidePart, Messy}, i);
  look.hair = rng.Chance(0.75) ? NaturalHair(rng) : DyedHair(rng);
  look.outfit = Cycle(std::array{Outfit::TopTrousers, Outfit::Hoodie, Outfit::TopShorts,
                                 Outfit::Suit, Outfit::TopTrousers, Outfit::Hoodie},
                      i);
  const int hue = rng.Int(0, 359);
  look.top = Vivid(rng, hue);
  look.bottom =
      look.outfit == Outfit::Suit
          ? Deep(rng, hue + 180)
          : rng.Pick({Hsv(215, 140, 140), Hsv(30, 60, 180), Hsv(0, 0, 60), Hsv(120, 60, 110)});
  look.accent = Vivid(rng, hue + 170);
  look.jacket = look.outfit == Outfit::TopTrousers && i % 4 == 0;
  look.jacketColor = rng.Pick({QColor(50, 50, 58), QColor(120, 80, 50), QColor(60, 100, 60)});
  look.longSleeves = look.outfit == Outfit::Hoodie || look.outfit == Outfit::Suit;
  look.topPattern = Cycle(
      std::array{Pattern::Plain, Pattern::Stripes, Pattern::Checks, Pattern::Plain, Pattern::Stars},
      i);
  look.tie = look.outfit == Outfit::Suit;
  look.headwear = Cycle(std::array{Headwear::Cap, Headwear::None, Headwear::Beanie, Headwear::None,
                                   Headwear::Headphones},
                        i);
  look.headwearColor = Vivid(rng, hue + 30);
  look.eyewear = i % 3 == 1 ? Eyewear::Sunglasses : Eyewear::None;
  look.eyewearColor = QColor(30, 30, 40);
  look.scarf = i % 4 == 2;
  look.shoes = rng.Pick({QColor(245, 245, 245), QColor(40, 40, 40), QColor(150, 90, 50)});
  look.blush = false;
  look.mouth = Cycle(std::array{Mouth::Smile, Mouth::Grin, Mouth::Open}, i);
  look.pose = Cycle(std::array{Pose::HandOnHip, Pose::ArmsDown, Pose::ArmsDown}, i);
  look.decor = Cycle(
      std::array{Decor::Stripes, Decor::Checks, Decor::Stars, Decor::Bubbles, Decor::Notes}, i);
  look.backgroundTop = Hsv(hue + 160, rng.Int(40, 90), 250);
  look.backgroundBottom = RandomHsv(rng, hue + 190, 90, 150, 200, 235);
  look.decorColor = Hsv(hue + 170, 80, 255);
}

// A costume: every showy item is one of these characters, with its own colours.
enum class Costume {
  Angel,
  Devil,
  King,
  Wizard,
  Dinosaur,
  Hero,
  Gentleman,
  Alien,
  Bear,
  Fairy,
  Afro,
  Clown,
  Punk,
  Bunny,
  Chicken,
  Panda,
  Cat,
  Nerd,
};

void Wear(FigureLook& look, Costume costume, Rng& rng) {
  const int hue = rng.Int(0, 359);
  look.top = Vivid(rng, hue);
  look.bottom = Deep(rng, hue + 200);
  look.accent = Vivid(rng, hue + 120);
  look.shoes = QColor(60, 40, 30);
  look.hairStyle = rng.Pick({HairStyle::Short, HairStyle::Spiky, HairStyle::Messy});
  look.hair = NaturalHair(rng);
  look.outfit = Outfit::TopTrousers;
  look.blush = rng.Chance(0.5);
  switch (costume) {
    case Costume::Angel:
      look.back = BackPiece::AngelWings;
      look.backColor = QColor(252, 252, 255);
      look.headwear = Headwear::Halo;
      look.top = QColor(250, 250, 250);
      look.bottom = QColor(235, 235, 245);
      look.outfit = Outfit::Suit;
      look.tie = true;
      look.accent = Hsv(hue, 90, 250);
      look.hair = QColor(236, 200, 120);
      break;
    case Costume::Devil:
      look.back = BackPiece::BatWings;
      look.backColor = QColor(60, 20, 40);
      look.headwear = Headwear::Horns;
      look.headwearColor = QColor(220, 30, 40);
      look.top = QColor(200, 30, 40);
      look.bottom = QColor(40, 20, 30);
      look.tail = true;
      look.mouth = Mouth::Grin;
      break;
    case Costume::King:
      look.back = BackPiece::Cape;
      look.backColor = QColor(190, 20, 40);
      look.headwear = Headwear::Crown;
      look.headwearColor = QColor(40, 120, 220);
      look.outfit = Outfit::Suit;
      look.bottom = QColor(240, 200, 80);
      look.top = QColor(250, 245, 230);
      look.accent = QColor(200, 30, 40);
      look.tie = true;
      look.mustache = rng.Chance(0.5);
      break;
    case Costume::Wizard:
      look.back = BackPiece::Cape;
      look.backColor = Hsv(260 + rng.Int(-20, 20), 160, 140);
      look.headwear = Headwear::WizardHat;
      look.headwearColor = look.backColor;
      look.topPattern = Pattern::Stars;
      look.top = Shade(look.backColor, 1.2);
      look.accent = QColor(255, 225, 110);
      look.longSleeves = true;
      break;
    case Costume::Dinosaur:
      look.outfit = Outfit::BodySuit;
      look.headwear = Headwear::DinoHood;
      look.top = Hsv(110 + rng.Int(-20, 30), 160, 190);
      look.headwearColor = look.top;
      look.accent = QColor(250, 200, 70);
      look.tail = false;
      look.longSleeves = true;
      break;
    case Costume::Hero:
      look.back = BackPiece::Cape;
      look.backColor = QColor(220, 40, 40);
      look.outfit = Outfit::BodySuit;
      look.top = QColor(40, 90, 200);
      look.eyewear = Eyewear::Mask;
      look.eyewearColor = QColor(30, 30, 40);
      look.belt = true;
      look.accent = QColor(250, 210, 40);
      look.longSleeves = true;
      break;
    case Costume::Gentleman:
      look.outfit = Outfit::Suit;
      look.headwear = Headwear::TopHat;
      look.headwearColor = QColor(30, 30, 36);
      look.bottom = QColor(40, 40, 50);
      look.top = QColor(250, 250, 250);
      look.accent = Vivid(rng, hue);
      look.mustache = true;
      look.eyewear = Eyewear::Round;
      look.eyewearColor = QColor(200, 160, 60);
      look.tie = true;
      break;
    case Costume::Alien:
      look.skin = QColor(170, 230, 140);
      look.headwear = Headwear::Antennae;
      look.headwearColor = QColor(250, 120, 200);
      look.hairStyle = HairStyle::Buzz;
      look.hair = QColor(100, 170, 90);
      look.outfit = Outfit::BodySuit;
      look.top = QColor(190, 190, 210);
      look.eyes = QColor(40, 40, 40);
      look.longSleeves = true;
      look.belt = true;
      break;
    case Costume::Bear:
    case Costume::Panda:
      look.outfit = Outfit::BodySuit;
      look.headwear = Headwear::BearHood;
      look.top = costume == Costume::Panda ? QColor(248, 248, 248) : QColor(150, 100, 60);
      look.headwearColor = costume == Costume::Panda ? QColor(40, 40, 44) : look.top;
      look.shoes = costume == Costume::Panda ? QColor(40, 40, 44) : QColor(100, 60, 30);
      look.longSleeves = true;
      break;
    case Costume::Fairy:
      look.back = BackPiece::FairyWings;
      look.backColor = Hsv(hue, 120, 255);
      look.headwear = Headwear::FlowerCrown;
      look.headwearColor = Hsv(hue + 40, 150, 250);
      look.top = Hsv(hue + 90, 110, 240);
      look.outfit = Outfit::TopShorts;
      look.bottom = Hsv(hue + 120, 120, 200);
      look.topPattern = Pattern::Flowers;
      look.mouth = Mouth::Open;
      break;
    case Costume::Afro:
      look.hairStyle = HairStyle::Afro;
      look.hair = rng.Pick({QColor(40, 30, 30), QColor(230, 110, 40), QColor(240, 80, 160)});
      look.eyewear = Eyewear::Hearts;
      look.eyewearColor = QColor(240, 40, 90);
      look.topPattern = Pattern::Stripes;
      look.outfit = Outfit::TopShorts;
      look.mouth = Mouth::Grin;
      break;
    case Costume::Clown:
      look.headwear = Headwear::ClownWig;
      look.headwearColor = Vivid(rng, hue);
      look.hairStyle = HairStyle::Buzz;
      look.clownNose = true;
      look.outfit = Outfit::BodySuit;
      look.top = Vivid(rng, hue + 60);
      look.topPattern = Pattern::Dots;
      look.accent = QColor(255, 255, 255);
      look.shoes = QColor(220, 30, 40);
      look.mouth = Mouth::Grin;
      break;
    case Costume::Punk:
      look.hairStyle = HairStyle::Mohawk;
      look.hair = DyedHair(rng);
      look.eyewear = Eyewear::Sunglasses;
      look.eyewearColor = QColor(30, 30, 30);
      look.jacket = true;
      look.jacketColor = QColor(30, 30, 34);
      look.top = Vivid(rng, hue);
      look.topPattern = Pattern::Stars;
      look.bottom = QColor(60, 60, 70);
      look.bottomPattern = Pattern::Checks;
      look.mouth = Mouth::Grin;
      break;
    case Costume::Bunny:
      look.headwear = Headwear::BunnyEars;
      look.headwearColor = QColor(255, 255, 255);
      look.outfit = Outfit::BodySuit;
      look.top = QColor(255, 180, 200);
      look.mustache = false;
      look.mouth = Mouth::Cat;
      look.longSleeves = true;
      break;
    case Costume::Chicken:
      look.outfit = Outfit::BodySuit;
      look.headwear = Headwear::ChickenHood;
      look.top = QColor(255, 225, 60);
      look.headwearColor = look.top;
      look.shoes = QColor(250, 150, 30);
      look.mouth = Mouth::Open;
      look.longSleeves = true;
      break;
    case Costume::Cat:
      look.outfit = Outfit::BodySuit;
      look.headwear = Headwear::CatHood;
      look.top = rng.Pick({QColor(250, 160, 70), QColor(120, 120, 130), QColor(60, 60, 66)});
      look.headwearColor = look.top;
      look.mouth = Mouth::Cat;
      look.longSleeves = true;
      break;
    case Costume::Nerd:
      look.hairStyle = HairStyle::SidePart;
      look.eyewear = Eyewear::Round;
      look.eyewearColor = QColor(30, 30, 30);
      look.outfit = Outfit::TopShorts;
      look.top = QColor(250, 250, 250);
      look.bottom = Hsv(30, 90, 150);
      look.topPattern = Pattern::Checks;
      look.tie = true;
      look.accent = QColor(200, 30, 40);
      look.bag = true;
      look.mouth = Mouth::Grin;
      break;
  }
}

void DressBoyShowy(FigureLook& look, int i, Rng& rng, bool paid) {
  using enum Costume;
  const Costume costume =
      paid ? Cycle(std::array{King, Angel, Devil, Wizard, Dinosaur, Hero, Gentleman, Alien, Fairy,
                              Panda},
                   i)
           : Cycle(std::array{Afro, Clown, Chicken, Punk, Bunny, Cat, Bear, Nerd}, i);
  Wear(look, costume, rng);
  look.pose = Cycle(std::array{Pose::ArmsDown, Pose::HandOnHip, Pose::ArmsDown}, i);
  if (look.mouth == Mouth::Smile) look.mouth = rng.Pick({Mouth::Open, Mouth::Grin});
  const int hue = rng.Int(0, 359);
  look.decor =
      Cycle(std::array{Decor::Sparkles, Decor::Stars, Decor::Bubbles, Decor::Notes, Decor::Stripes},
            i + (paid ? 0 : 2));
  look.backgroundTop = Hsv(hue, rng.Int(40, 100), 255);
  look.backgroundBottom = RandomHsv(rng, hue + 40, 100, 170, 210, 245);
  look.decorColor = paid ? QColor(255, 220, 90) : Vivid(rng, hue + 180);
}

}  // namespace

FigureLook MakeLook(OutfitStyle style, int index, bool animated, Rng& rng) {
  FigureLook look;
  look.decorSeed = rng.Next();
  look.skin = SkinTone(rng);
  look.eyes = EyeColour(rng);
  look.legwear = QColor(255, 255, 255);
  look.eyewearColor = QColor(30, 30, 30);
  switch (style) {
    case OutfitStyle::GirlGentle:
      DressGirlGentle(look, index, rng);
      break;
    case OutfitStyle::GirlIndividual:
      DressGirlIndividual(look, index, rng);
      break;
    case OutfitStyle::GirlAlternative:
      DressGirlAlternative(look, index, rng);
      break;
    case OutfitStyle::GirlLadylike:
      DressGirlLadylike(look, index, rng);
      break;
    case OutfitStyle::BoyIndividual:
      DressBoyIndividual(look, index, rng);
      break;
    case OutfitStyle::BoyShowyPaid:
      DressBoyShowy(look, index, rng, true);
      break;
    case OutfitStyle::BoyShowyFree:
      DressBoyShowy(look, index, rng, false);
      break;
  }
  look.girl = style == OutfitStyle::GirlGentle || style == OutfitStyle::GirlIndividual ||
              style == OutfitStyle::GirlAlternative || style == OutfitStyle::GirlLadylike;
  if (animated && index % 2 == 0) look.pose = Pose::Wave;
  return look;
}

}  // namespace vestora::pictures
