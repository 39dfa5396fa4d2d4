// Creature drawings of the modern glyph set: the player, the friend and the
// monster kinds, each in the poses the game alternates between. Every drawing
// is a 36 x 36 canvas (the visible three quarters of a 48 x 36 glyph image).
// Monsters face left; the view mirrors them when they walk to the right.
#pragma once
#include "glyphart.h"

constexpr int SPR = 36;

// ---------------------------------------------------------------- humans

struct HUMANSTYLE {
  ARTCOLOR SUIT, SUITDARK, SKIN, HELMET, VISOR, BOOTS, GUN;
  bool HASHELMET = true;
  bool BLADEARM = false;   // right arm ends in a blade instead of a gun
  bool CAMO = false;       // dappled suit
  bool CHROME = false;     // mirror-like shading (liquid metal)
  bool GHOST = false;      // dithered, see-through body
  bool HASHAIR = false;    // bare head with hair (no helmet)
  ARTCOLOR HAIR = ARTCOLOR{0, 0, 0};
  bool MEDIC = false;      // red cross on chest and cap, a first-aid case in the hand
  int GUNLEN = 10;
};

// A person seen from the front, turned a little to the left, holding a gun
// to the left. STEP: -1 left foot forward, 0 feet together, 1 right foot
// forward. DUCK lowers the whole figure (sitting).
inline CANVAS HUMANOID(const HUMANSTYLE& s, int step, bool sitting = false, uint32_t seed = 1) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  int drop = sitting ? 7 : 0;
  // Legs.
  auto leg = [&](double hipx, double footx, double footy, ARTCOLOR col) {
    LINE(c, hipx, 22 + drop, footx, footy, 5, col);
    LINE(c, footx - 1, footy + 0.5, footx + 2.5, footy + 0.5, 3.2, s.BOOTS);
  };
  if (sitting) {
    LINE(c, 14, 29, 8, 30, 5, s.SUITDARK);
    LINE(c, 21, 29, 27, 31, 5, s.SUIT);
    LINE(c, 6, 31, 9, 31, 3.2, s.BOOTS);
    LINE(c, 27, 32, 30, 32, 3.2, s.BOOTS);
  } else {
    // The stepping foot comes forward (lower on screen, spread out), the other
    // one is lifted behind.
    double lf = step < 0 ? 33.5 : step > 0 ? 30 : 32.5;
    double rf = step > 0 ? 33.5 : step < 0 ? 30 : 32.5;
    leg(15.5, step < 0 ? 11.5 : step > 0 ? 15.5 : 14, lf, s.SUITDARK);
    leg(20.5, step > 0 ? 24.5 : step < 0 ? 20.5 : 22, rf, s.SUIT);
  }
  // Torso.
  POLY(c, {{10.5, 12.0 + drop}, {25.5, 12.0 + drop}, {24, 23.5 + drop}, {12, 23.5 + drop}}, s.SUIT, 1.15, 0.75);
  // Belt and chest plate.
  FILLRECT(c, 12, 21 + drop, 23, 22 + drop, SHADE(s.SUITDARK, 0.8));
  FILLRECT(c, 17, 21 + drop, 18, 22 + drop, SHADE(s.GUN, 1.2));
  if (!s.GHOST) {
    POLY(c, {{13, 13.5 + drop}, {23, 13.5 + drop}, {22, 18 + drop}, {14, 18 + drop}}, SHADE(s.SUIT, 1.15), 1.2, 0.9);
  }
  if (s.CAMO) {
    ARTRANDOM r = MAKERANDOM(seed);
    for (int k = 0; k < 14; k++) {
      int x = 11 + UPTO(r, 14), y = 12 + drop + UPTO(r, 11);
      if (SET(c, x, y)) PUT(c, x, y, SHADE(s.SUITDARK, 0.7 + 0.2 * UNIT(r)));
    }
  }
  // Shoulder pads.
  BALL(c, 11, 13.5 + drop, 3.2, 2.6, SHADE(s.SUIT, 1.05));
  BALL(c, 25, 13.5 + drop, 3.2, 2.6, SHADE(s.SUIT, 0.95));
  // Arms: the left arm reaches forward to the gun, the right swings.
  double swing = step * 1.5;
  LINE(c, 11, 14 + drop, 7, 19 + drop, 3.6, s.SUITDARK);
  if (s.BLADEARM) {
    LINE(c, 25, 14 + drop, 27 + swing, 20 + drop, 3.6, s.SUIT);
    POLY(c, {{26.0 + swing, 19.0 + drop}, {29.0 + swing, 19.5 + drop}, {31.0 + swing, 31.0 + drop}}, SHADE(s.GUN, 1.3), 1.3, 0.8);
  } else {
    LINE(c, 25, 14 + drop, 26 - swing, 21 + drop, 3.6, s.SUIT);
    BALL(c, 26 - swing, 21.5 + drop, 1.8, 1.8, s.SKIN);
  }
  // Gun held to the left.
  if (s.GUNLEN > 0) {
    FILLRECT(c, 7 - s.GUNLEN, 17 + drop, 11, 19 + drop, s.GUN);
    FILLRECT(c, 7 - s.GUNLEN, 17 + drop, 11, 17 + drop, SHADE(s.GUN, 1.5));
    FILLRECT(c, 8, 20 + drop, 10, 22 + drop, SHADE(s.GUN, 0.8));
    PUT(c, 7 - s.GUNLEN, 18 + drop, SHADE(s.GUN, 0.5));
  }
  BALL(c, 7.5, 19.5 + drop, 1.8, 1.8, s.SKIN);
  // Head.
  BALL(c, 17.5, 7.5 + drop, 5.2, 5.5, s.SKIN);
  if (s.HASHELMET) {
    POLY(c, {{11.5, 7.5 + drop}, {12.5, 2.5 + drop}, {17.5, 1.0 + drop}, {22.5, 2.5 + drop}, {23.5, 7.5 + drop}}, s.HELMET, 1.3, 0.85);
    FILLRECT(c, 13, 7 + drop, 21, 9 + drop, s.VISOR);
    FILLRECT(c, 13, 7 + drop, 17, 7 + drop, SHADE(s.VISOR, 1.4));
  } else {
    // Eyes.
    PUT(c, 15, 8 + drop, s.VISOR);
    PUT(c, 19, 8 + drop, s.VISOR);
  }
  if (s.HASHAIR) {
    // Short hair over the crown and down the back of the head.
    POLY(c, {{12.0, 6.5 + drop}, {13.0, 2.5 + drop}, {17.5, 1.5 + drop}, {22.0, 2.5 + drop},
             {23.0, 8.0 + drop}, {21.0, 5.0 + drop}, {14.0, 5.0 + drop}}, s.HAIR, 1.2, 0.8);
  }
  if (s.MEDIC) {
    const ARTCOLOR red = RGB(220, 30, 36);
    // Red cross on the chest plate and on the cap.
    FILLRECT(c, 17, 13 + drop, 18, 19 + drop, red);
    FILLRECT(c, 15, 15 + drop, 20, 16 + drop, red);
    FILLRECT(c, 17, 1 + drop, 18, 4 + drop, red);
    FILLRECT(c, 16, 2 + drop, 19, 3 + drop, red);
    // A white first-aid case held out to the left, with its own cross.
    FILLRECT(c, 1, 18 + drop, 9, 25 + drop, RGB(236, 236, 232));
    FILLRECT(c, 1, 18 + drop, 9, 18 + drop, RGB(255, 255, 255));
    FILLRECT(c, 1, 25 + drop, 9, 25 + drop, RGB(170, 170, 166));
    FILLRECT(c, 4, 17 + drop, 6, 17 + drop, RGB(120, 120, 120));
    FILLRECT(c, 5, 19 + drop, 5, 24 + drop, red);
    FILLRECT(c, 3, 21 + drop, 7, 22 + drop, red);
  }
  if (s.CHROME) {
    // Streaks of reflected light across the body.
    for (int y = 0; y < SPR; y++)
      for (int x = 0; x < SPR; x++)
        if (SET(c, x, y) && ((x + y) % 9 == 0 || (x + y) % 9 == 1)) PUT(c, x, y, SHADE(AT(c, x, y), 1.35));
  }
  if (s.GHOST) {
    // See-through: a checkerboard of the body with brightened edges.
    CANVAS g = MAKECANVAS(SPR, SPR);
    for (int y = 0; y < SPR; y++)
      for (int x = 0; x < SPR; x++) {
        if (!SET(c, x, y)) continue;
        bool edge = !SET(c, x - 1, y) || !SET(c, x + 1, y) || !SET(c, x, y - 1) || !SET(c, x, y + 1);
        if (edge) PUT(g, x, y, SHADE(AT(c, x, y), 1.3));
        else if ((x + y) % 2 == 0) PUT(g, x, y, AT(c, x, y));
      }
    PUT(g, 15, 8 + drop, RGB(255, 255, 255));
    PUT(g, 19, 8 + drop, RGB(255, 255, 255));
    return g;
  }
  OUTLINE(c);
  return c;
}

// The player: olive armour, helmet with a cyan visor, rifle.
inline HUMANSTYLE PLAYERSTYLE() {
  HUMANSTYLE s;
  s.SUIT = RGB(118, 150, 84);
  s.SUITDARK = RGB(82, 108, 60);
  s.SKIN = RGB(222, 172, 132);
  s.HELMET = RGB(98, 128, 70);
  s.VISOR = RGB(80, 220, 240);
  s.BOOTS = RGB(70, 58, 48);
  s.GUN = RGB(120, 124, 132);
  return s;
}

// ---------------------------------------------------------------- monsters

// Grunt: a hunched horned beast with claws, red-brown hide, yellow eyes.
inline CANVAS GRUNT(int pose) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  ARTCOLOR hide = RGB(176, 84, 60), dark = RGB(120, 52, 40), horn = RGB(226, 214, 180);
  double a = pose ? 1.5 : -1.5;
  // Legs.
  LINE(c, 20, 24, 17 + a, 32, 5, dark);
  LINE(c, 26, 24, 28 - a, 32, 5, hide);
  LINE(c, 15 + a, 33, 19 + a, 33, 3, dark);
  LINE(c, 26 - a, 33, 30 - a, 33, 3, hide);
  // Body (hunched forward to the left).
  BALL(c, 22, 18, 9.5, 8.5, hide, 0.8);
  BALL(c, 24, 14, 6, 4, SHADE(hide, 1.1), 0.6);  // shoulder hump
  // Spines along the back.
  for (int k = 0; k < 4; k++) LINE(c, 24 + k * 2.5, 10 + k * 1.2, 26 + k * 2.8, 7 + k * 1.5, 1.6, horn);
  // Arms with claws.
  LINE(c, 16, 17, 9 - a, 24, 4, dark);
  LINE(c, 7 - a, 24, 5 - a, 27, 1.4, horn);
  LINE(c, 9 - a, 25, 8 - a, 28, 1.4, horn);
  LINE(c, 24, 19, 19 + a, 26, 4, hide);
  // Head.
  BALL(c, 11, 13, 6, 5.2, hide, 0.7);
  // Jaw with teeth.
  POLY(c, {{5, 14}, {13, 15}, {12, 19}, {6, 18}}, dark);
  for (int x = 6; x <= 12; x += 2) PUT(c, x, 15, horn);
  // Horns.
  LINE(c, 9, 9, 5, 4, 2.2, horn);
  LINE(c, 14, 9, 16, 3, 2.2, horn);
  // Eyes.
  PUT(c, 8, 12, RGB(255, 230, 60));
  PUT(c, 12, 12, RGB(255, 230, 60));
  OUTLINE(c);
  return c;
}

// Advanced prototype: a purple walking machine with a rocket pod and a red
// sensor eye.
inline CANVAS PROTOTYPE(int pose) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  ARTCOLOR metal = RGB(150, 120, 176), dark = RGB(96, 76, 118), pod = RGB(170, 170, 180);
  double a = pose ? 2 : -2;
  // Backward-jointed legs.
  LINE(c, 13, 22, 9 + a, 27, 3.5, dark);
  LINE(c, 9 + a, 27, 12 + a, 33, 3, dark);
  LINE(c, 23, 22, 27 - a, 27, 3.5, metal);
  LINE(c, 27 - a, 27, 24 - a, 33, 3, metal);
  FILLRECT(c, 9 + static_cast<int>(a), 33, 15 + static_cast<int>(a), 34, dark);
  FILLRECT(c, 21 - static_cast<int>(a), 33, 27 - static_cast<int>(a), 34, metal);
  // Hull.
  POLY(c, {{8, 10}, {28, 10}, {30, 16}, {26, 23}, {10, 23}, {6, 16}}, metal, 1.3, 0.7);
  FILLRECT(c, 10, 16, 26, 16, SHADE(dark, 0.9));
  // Rocket pod on the shoulder with three tubes.
  FILLRECT(c, 20, 4, 31, 10, pod);
  FILLRECT(c, 20, 4, 31, 5, SHADE(pod, 1.3));
  for (int k = 0; k < 3; k++) BALL(c, 22.5 + k * 3.3, 7.5, 1.2, 1.2, RGB(60, 50, 60), 0);
  // Sensor eye and a gun under the hull.
  BALL(c, 11, 13, 2.6, 2.4, RGB(255, 60, 50), 0.5);
  PUT(c, 10, 12, RGB(255, 200, 190));
  FILLRECT(c, 2, 19, 10, 20, pod);
  OUTLINE(c);
  return c;
}

// Soldier: a trooper in desert camouflage with a dark helmet, red goggles and
// a long rifle (unlike the player's olive armour and cyan visor).
inline CANVAS SOLDIER(int pose) {
  HUMANSTYLE s;
  s.SUIT = RGB(190, 164, 116);
  s.SUITDARK = RGB(140, 116, 80);
  s.SKIN = RGB(200, 160, 120);
  s.HELMET = RGB(70, 66, 60);
  s.VISOR = RGB(230, 50, 40);
  s.BOOTS = RGB(60, 52, 44);
  s.GUN = RGB(90, 90, 96);
  s.CAMO = true;
  s.GUNLEN = 12;
  return HUMANOID(s, pose ? 1 : -1, false, 77 + pose);
}

// Stealth: a cloaked, see-through figure with bright eyes.
inline CANVAS STEALTH(int pose) {
  HUMANSTYLE s;
  s.SUIT = RGB(200, 210, 220);
  s.SUITDARK = RGB(170, 180, 196);
  s.SKIN = RGB(210, 220, 230);
  s.HELMET = RGB(200, 210, 220);
  s.VISOR = RGB(255, 255, 255);
  s.BOOTS = RGB(170, 180, 190);
  s.GUN = RGB(190, 200, 210);
  s.HASHELMET = false;
  s.GHOST = true;
  s.GUNLEN = 6;
  return HUMANOID(s, pose ? 1 : -1);
}

// Liquid-metal man: silver with reflections and a blade arm (its colour
// cycles in play, so it is drawn in near-white).
inline CANVAS LIQUIDMAN(int pose) {
  HUMANSTYLE s;
  s.SUIT = RGB(200, 204, 212);
  s.SUITDARK = RGB(150, 156, 166);
  s.SKIN = RGB(214, 218, 226);
  s.HELMET = RGB(210, 214, 222);
  s.VISOR = RGB(90, 96, 110);
  s.BOOTS = RGB(150, 156, 166);
  s.GUN = RGB(236, 240, 248);
  s.HASHELMET = false;
  s.BLADEARM = true;
  s.CHROME = true;
  s.GUNLEN = 0;
  return HUMANOID(s, pose ? 1 : -1);
}

// Eraser: a dark steel spider machine with a red eye.
inline CANVAS ERASER(int pose) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  ARTCOLOR steel = RGB(120, 126, 138), dark = RGB(78, 82, 92);
  for (int k = 0; k < 3; k++) {
    double y = 15 + k * 5, lift = ((k + pose) % 2) ? -2 : 1;
    LINE(c, 18, y, 7, y - 4 + lift, 2.4, dark);
    LINE(c, 7, y - 4 + lift, 3, y + 6 + lift, 2.2, dark);
    LINE(c, 18, y, 29, y - 4 - lift, 2.4, steel);
    LINE(c, 29, y - 4 - lift, 33, y + 6 - lift, 2.2, steel);
  }
  BALL(c, 18, 20, 8.5, 7.5, steel, 0.9);
  BALL(c, 18, 12, 5.5, 4.5, SHADE(steel, 1.1), 0.8);
  FILLRECT(c, 12, 21, 24, 22, dark);
  BALL(c, 16, 12, 2.2, 2, RGB(255, 40, 40), 0.3);
  PUT(c, 15, 11, RGB(255, 190, 180));
  PUT(c, 21, 12, RGB(255, 90, 60));
  OUTLINE(c);
  return c;
}

// Floating drone (three kinds share it and differ by colour): a pale orb with
// one big eye and side fins.
inline CANVAS DRONE(int pose) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  ARTCOLOR shell = RGB(226, 226, 226), fin = RGB(180, 180, 186);
  double f = pose ? -3 : 2;
  POLY(c, {{9, 17}, {2, 12 + f}, {4, 22 + f}}, fin, 1.2, 0.8);
  POLY(c, {{27, 17}, {34, 12 + f}, {32, 22 + f}}, fin, 1.2, 0.8);
  BALL(c, 18, 17, 10, 10, shell, 0.9);
  BALL(c, 16 + (pose ? -1 : 1), 16, 5, 5, RGB(250, 250, 250), 0.3);
  BALL(c, 15 + (pose ? -1 : 1), 16, 2.6, 2.6, RGB(40, 40, 44), 0);
  PUT(c, 14 + (pose ? -1 : 1), 15, RGB(255, 255, 255));
  // Antenna and a glow below (it hovers).
  LINE(c, 18, 7, 18 + f * 0.5, 3, 1.2, fin);
  BALL(c, 18 + f * 0.5, 2.5, 1.3, 1.3, RGB(255, 255, 255), 0);
  for (int x = 13; x <= 23; x++)
    if ((x + pose) % 2 == 0) PUT(c, x, 31 + (x % 3 == 0), RGB(200, 200, 210));
  OUTLINE(c);
  return c;
}

// The boss: a great horned demon with spread arms (drawn at 140 % in play).
inline CANVAS BOSS(int pose) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  ARTCOLOR hide = RGB(150, 48, 40), dark = RGB(100, 30, 28), horn = RGB(232, 220, 190);
  double a = pose ? 2 : -1;
  // Wings.
  POLY(c, {{12, 10}, {1, 3 + a}, {2, 20}, {10, 16}}, RGB(90, 40, 44), 1.2, 0.7);
  POLY(c, {{24, 10}, {35, 3 + a}, {34, 20}, {26, 16}}, RGB(90, 40, 44), 1.2, 0.7);
  // Legs.
  LINE(c, 14, 25, 12 - a, 33, 5.5, dark);
  LINE(c, 22, 25, 24 + a, 33, 5.5, dark);
  // Body.
  BALL(c, 18, 19, 9, 9.5, hide, 0.8);
  POLY(c, {{13, 15}, {23, 15}, {21, 24}, {15, 24}}, SHADE(hide, 1.15), 1.2, 0.8);
  // Arms raised with claws.
  LINE(c, 10, 15, 4, 22 - a, 4, hide);
  LINE(c, 26, 15, 32, 22 - a, 4, hide);
  LINE(c, 3, 23 - a, 2, 26 - a, 1.4, horn);
  LINE(c, 33, 23 - a, 34, 26 - a, 1.4, horn);
  // Head with big horns and fiery eyes.
  BALL(c, 18, 8, 5.5, 5, hide, 0.7);
  LINE(c, 14, 5, 9, 0.5, 2.4, horn);
  LINE(c, 22, 5, 27, 0.5, 2.4, horn);
  PUT(c, 16, 8, RGB(255, 240, 80));
  PUT(c, 20, 8, RGB(255, 240, 80));
  FILLRECT(c, 16, 11, 20, 11, horn);
  OUTLINE(c);
  return c;
}

// The friend (type 6): an ally, not a copy of the player: bare-headed with
// dark hair, navy armour with a white chevron, amber goggles and a carbine.
inline CANVAS FRIEND(int pose) {
  HUMANSTYLE s;
  s.SUIT = RGB(64, 96, 170);
  s.SUITDARK = RGB(44, 66, 124);
  s.SKIN = RGB(208, 160, 122);
  s.HELMET = s.SUIT;
  s.VISOR = RGB(255, 186, 40);
  s.BOOTS = RGB(46, 42, 40);
  s.GUN = RGB(150, 150, 156);
  s.HASHELMET = false;
  s.HASHAIR = true;
  s.HAIR = RGB(92, 58, 34);
  s.GUNLEN = 8;
  CANVAS c = HUMANOID(s, pose ? 1 : -1);
  // Goggles across the eyes and a white chevron on the chest: friend marks.
  FILLRECT(c, 14, 7, 20, 8, s.VISOR);
  for (int k = 0; k < 3; k++) {
    PUT(c, 15 + k, 14 + k, RGB(240, 240, 240));
    PUT(c, 21 - k, 14 + k, RGB(240, 240, 240));
  }
  return c;
}

// The medic (type 7): a field doctor in white with red crosses and a
// first-aid case instead of a gun.
inline CANVAS MEDIC(int pose) {
  HUMANSTYLE s;
  s.SUIT = RGB(226, 228, 232);
  s.SUITDARK = RGB(178, 182, 190);
  s.SKIN = RGB(214, 168, 130);
  s.HELMET = RGB(240, 240, 240);
  s.VISOR = RGB(60, 140, 200);
  s.BOOTS = RGB(90, 90, 96);
  s.GUN = RGB(150, 150, 156);
  s.MEDIC = true;
  s.GUNLEN = 0;
  return HUMANOID(s, pose ? 1 : -1);
}

// Hover wasp (type 10, tinted cyan): a four-rotor flying machine seen from
// above-front, rotors blurred, one lens in the middle.
inline CANVAS WASPDRONE(int pose) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  ARTCOLOR frame = RGB(196, 200, 206), dark = RGB(130, 134, 142), blade = RGB(236, 240, 244);
  // Arms to the four rotors.
  LINE(c, 18, 18, 6, 8, 2.6, dark);
  LINE(c, 18, 18, 30, 8, 2.6, dark);
  LINE(c, 18, 18, 6, 27, 2.6, frame);
  LINE(c, 18, 18, 30, 27, 2.6, frame);
  // Rotor discs: a blurred ring and a blade bar that turns between the poses.
  for (auto [x, y] : {std::pair<double, double>{6, 8}, {30, 8}, {6, 27}, {30, 27}}) {
    for (int a = 0; a < 24; a++) {
      double t = a * 3.14159265 / 12;
      PUT(c, static_cast<int>(x + 5.2 * std::cos(t)), static_cast<int>(y + 2.6 * std::sin(t)), blade);
    }
    if (pose) LINE(c, x - 5, y - 1.5, x + 5, y + 1.5, 1.4, blade);
    else LINE(c, x - 5, y + 1.5, x + 5, y - 1.5, 1.4, blade);
    BALL(c, x, y, 1.6, 1.2, dark, 0.2);
  }
  // Body with a lens and two antennae.
  BALL(c, 18, 18, 7, 6, frame, 0.8);
  FILLRECT(c, 12, 21, 24, 22, dark);
  BALL(c, 18, 17, 3.2, 3.2, RGB(40, 44, 52), 0.2);
  BALL(c, 17.5, 16.5, 1.6, 1.6, RGB(255, 255, 255), 0);
  LINE(c, 15, 12, 13, 7, 1, dark);
  LINE(c, 21, 12, 23, 7, 1, dark);
  OUTLINE(c);
  return c;
}

// Sentry orb (type 11): a dark steel ball with spikes and a red eye that
// swivels between the poses.
inline CANVAS SENTRYORB(int pose) {
  CANVAS c = MAKECANVAS(SPR, SPR);
  ARTCOLOR steel = RGB(112, 118, 130), spike = RGB(190, 194, 204);
  for (int k = 0; k < 8; k++) {
    double t = k * 3.14159265 / 4 + (pose ? 0.2 : 0);
    LINE(c, 18 + 9 * std::cos(t), 17 + 9 * std::sin(t), 18 + 15.5 * std::cos(t),
         17 + 15.5 * std::sin(t), 2.2, spike);
  }
  BALL(c, 18, 17, 10.5, 10.5, steel, 0.9);
  // Armour band and rivets.
  FILLRECT(c, 8, 20, 28, 21, SHADE(steel, 0.6));
  for (int x = 10; x <= 26; x += 4) PUT(c, x, 20, spike);
  // The eye.
  double ex = pose ? 14 : 21;
  BALL(c, ex, 14, 4, 3.4, RGB(40, 14, 14), 0);
  BALL(c, ex, 14, 2.6, 2.2, RGB(255, 40, 30), 0.3);
  PUT(c, static_cast<int>(ex) - 1, 13, RGB(255, 210, 200));
  OUTLINE(c);
  return c;
}
