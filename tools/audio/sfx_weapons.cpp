// Weapon, projectile and blast sounds.
#include <cmath>

#include "recipes.h"
#include "sfxkit.h"

// A gunshot: a sharp crack, a body of filtered noise, a low punch and a room tail.
struct SHOT {
  double CRACKHZ = 4000, BODYHZ = 2500, BODYTAU = 0.05, LOWHZ = 90, LOWTAU = 0.08;
  double CRACK = 0.6, BODY = 1.0, LOW = 0.8;
  double LENGTH = 0.6, ROOM = 0.5, WET = 0.25, DRIVE = 1.5, DULL = 0;  // DULL: distance low-pass
};

static SOUNDBUF SHOTOUT(uint64_t s, const SHOT& p) {
  SOUNDBUF b = SILENCE(p.LENGTH);
  MIXIN(b, CLICK(s + 1, p.CRACKHZ, 0.0015), 0, p.CRACK);
  MIXIN(b, NOISEHIT(s + 2, p.LENGTH, p.BODYHZ, 300, p.BODYTAU * 1.5, 0.0008, p.BODYTAU), 0, p.BODY);
  DRIVE(b, p.DRIVE);  // the punch stays clean: driven, its tail would boom on
  MIXIN(b, THUMP(p.LENGTH, p.LOWHZ * 2.2, p.LOWHZ, 0.015, p.LOWTAU * 0.6), 0, p.LOW * 0.8);
  if (p.DULL > 0) LOWPASSBUF(b, p.DULL, false);
  APPLYREVERB(b, p.ROOM, 0.4, p.WET, false);
  FADEEDGES(b, 0, 0.05);
  return b;
}

SOUNDBUF SFX_GUN(uint64_t s) {  // pistol: short bright crack
  SHOT p;
  p.CRACKHZ = 5200; p.BODYHZ = 3800; p.BODYTAU = 0.03; p.LOWHZ = 140; p.LOWTAU = 0.04;
  p.LENGTH = 0.45; p.WET = 0.18; p.DRIVE = 2.0;
  return SHOTOUT(s, p);
}

SOUNDBUF SFX_SHOTFAR(uint64_t s) {  // shotgun heard from range: dull boom and a long echo
  SHOT p;
  p.CRACK = 0.2; p.BODYHZ = 1800; p.BODYTAU = 0.09; p.LOWHZ = 70; p.LOWTAU = 0.16;
  p.LENGTH = 1.4; p.ROOM = 0.9; p.WET = 0.6; p.DRIVE = 1.2; p.DULL = 1600;
  SOUNDBUF b = SHOTOUT(s, p);
  ECHOES(b, 0.32, 0.35, 0.35);
  return b;
}

SOUNDBUF SFX_SHOTNEAR(uint64_t s) {  // double-barrel shotgun close by: two barrels, a huge blast
  SHOT p;
  p.CRACKHZ = 3500; p.BODYHZ = 3200; p.BODYTAU = 0.11; p.LOWHZ = 60; p.LOWTAU = 0.2;
  p.CRACK = 0.9; p.BODY = 1.2; p.LOW = 1.2; p.LENGTH = 1.1; p.ROOM = 0.6; p.WET = 0.3; p.DRIVE = 3.0;
  SOUNDBUF b = SHOTOUT(s, p);
  SOUNDBUF second = SHOTOUT(s + 10, p);
  MIXIN(b, second, 0.018, 0.8);
  return b;
}

SOUNDBUF SFX_BURST(uint64_t s) {  // automatic weapon, one round of the burst: short punchy bang
  SHOT p;
  p.CRACKHZ = 4500; p.BODYHZ = 3000; p.BODYTAU = 0.035; p.LOWHZ = 110; p.LOWTAU = 0.05;
  p.LENGTH = 0.32; p.WET = 0.12; p.DRIVE = 2.5;
  return SHOTOUT(s, p);
}

SOUNDBUF SFX_MCHAIN(uint64_t s) {  // monster chaingun: three rapid gritty rounds
  SHOT p;
  p.CRACKHZ = 2800; p.BODYHZ = 2200; p.BODYTAU = 0.03; p.LOWHZ = 95; p.LOWTAU = 0.04;
  p.LENGTH = 0.35; p.WET = 0.1; p.DRIVE = 4.0;
  SOUNDBUF b = SILENCE(0.8);
  for (int k = 0; k < 3; k++) MIXIN(b, SHOTOUT(s + 20 * k, p), 0.075 * k, 1.0 - 0.12 * k);
  return b;
}

SOUNDBUF SFX_HSEEKER(uint64_t s) {  // mini gun round: tight high buzz-crack
  SHOT p;
  p.CRACKHZ = 6500; p.BODYHZ = 5000; p.BODYTAU = 0.018; p.LOWHZ = 160; p.LOWTAU = 0.025;
  p.LENGTH = 0.2; p.WET = 0.08; p.DRIVE = 3.0; p.LOW = 0.5;
  SOUNDBUF b = SHOTOUT(s, p);
  SOUNDBUF buzz = GLIDE(0.06, 900, 500, 1, 0.001, 0.03);
  MIXIN(b, buzz, 0, 0.15);
  return b;
}

SOUNDBUF SFX_MINI(uint64_t s) {  // mini gun barrel spin: a motor whine that loops
  // Periodic in one second: every partial makes a whole number of turns.
  const double len = 1.0;
  NOISE n(s);
  SOUNDBUF b = RENDER(len, [&](double t) {
    double v = 0.5 * std::sin(TWOPI * 220 * t) + 0.25 * std::sin(TWOPI * 440 * t + 0.5) +
               0.15 * std::sin(TWOPI * 660 * t + 1.0) + 0.3 * std::sin(TWOPI * 37 * t);
    double rattle = 0.5 + 0.5 * std::sin(TWOPI * 18 * t);  // barrel clatter, 18 per second
    return v * (0.7 + 0.3 * rattle);
  });
  SOUNDBUF hiss = MAKEBUF(len);
  for (float& v : hiss.S) v = static_cast<float>(n.WHITE() * 0.15);
  LOWPASSBUF(hiss, 3000, true);
  MIXIN(b, hiss, 0);
  return b;
}

SOUNDBUF SFX_LAUNCHER(uint64_t s) {  // rocket launch: a thump and a rushing whoosh
  SOUNDBUF b = SILENCE(1.2);
  MIXIN(b, THUMP(0.4, 140, 50, 0.03, 0.12), 0, 1.0);
  MIXIN(b, NOISEHIT(s, 0.2, 2500, 400, 0.05, 0.001, 0.05), 0, 0.6);
  SOUNDBUF whoosh = NOISESWEEP(s + 1, 1.0, 600, 2200, 1.2, 0.05, 0.6);
  MIXIN(b, whoosh, 0.03, 1.4);
  DRIVE(b, 1.5);
  APPLYREVERB(b, 0.5, 0.4, 0.2, false);
  FADEEDGES(b, 0, 0.05);
  return b;
}

SOUNDBUF SFX_RAILGUN(uint64_t s) {  // rail: a charging whine, then a ringing electric crack
  SOUNDBUF b = SILENCE(1.6);
  SOUNDBUF charge = GLIDE(0.45, 300, 2400, 0, 0.05, 0.02);
  MIXIN(b, charge, 0, 0.4);
  SOUNDBUF zap = RENDER(1.1, [&](double t) {
    return (std::sin(TWOPI * 1800 * t + 4.0 * std::sin(TWOPI * 95 * t)) * 0.6 +
            std::sin(TWOPI * 3100 * t) * 0.3) * std::exp(-t / 0.25);
  });
  MIXIN(b, zap, 0.45, 0.7);
  MIXIN(b, NOISEHIT(s, 0.5, 8000, 1500, 0.08, 0.0005, 0.06), 0.45, 0.9);
  MIXIN(b, THUMP(0.5, 200, 60, 0.02, 0.1), 0.45, 0.8);
  APPLYREVERB(b, 0.7, 0.3, 0.3, false);
  FADEEDGES(b, 0, 0.05);
  return b;
}

SOUNDBUF SFX_PLASMA(uint64_t s) {  // plasma gun: three quick falling FM zips
  SOUNDBUF b = SILENCE(0.7);
  for (int k = 0; k < 3; k++) {
    double base = 1300 - 150 * k;
    double ph = 0;
    SOUNDBUF zip = RENDER(0.22, [&](double t) {
      double f = base * std::exp(-t / 0.08) + 180;
      ph += f / AUDIORATE;
      return std::sin(TWOPI * ph + 2.5 * std::sin(TWOPI * ph * 1.5)) * std::exp(-t / 0.07);
    });
    MIXIN(b, zip, 0.045 * k, 0.8);
  }
  APPLYREVERB(b, 0.4, 0.3, 0.25, false);
  FADEEDGES(b, 0, 0.03);
  return b;
}

SOUNDBUF SFX_PHIT(uint64_t s) {  // plasma hit: a sizzling electric pop
  SOUNDBUF b = SILENCE(0.5);
  MIXIN(b, NOISEHIT(s, 0.4, 9000, 2000, 0.05, 0.0005, 0.07, 1.5), 0, 0.8);
  SOUNDBUF crackle = RENDER(0.35, [&](double t) {
    return std::sin(TWOPI * 700 * t) * std::sin(TWOPI * 131 * t) * std::exp(-t / 0.06);
  });
  MIXIN(b, crackle, 0, 0.6);
  MIXIN(b, THUMP(0.2, 300, 120, 0.01, 0.03), 0, 0.5);
  RINGMOD(b, 1400, 0.4);
  FADEEDGES(b, 0, 0.03);
  return b;
}

// An explosion: a deep boom, a roar of noise, debris and a room.
static SOUNDBUF BLAST(uint64_t s, double len, double low, double roarhz, double roartau, double room,
                      int debris) {
  SOUNDBUF b = SILENCE(len);
  MIXIN(b, THUMP(len, low * 2.5, low, 0.04, roartau * 1.5), 0, 1.2);
  MIXIN(b, NOISEHIT(s, len, roarhz, 120, roartau, 0.003, roartau), 0, 1.6);
  MIXIN(b, NOISEHIT(s + 1, len, 900, 80, roartau * 3, 0.02, roartau * 3), 0, 0.8);
  NOISE n(s + 2);
  for (int k = 0; k < debris; k++)
    MIXIN(b, CLICK(s + 10 + k, n.RANGE(1500, 5000), 0.003), n.RANGE(0.05, len * 0.5), n.RANGE(0.1, 0.35));
  DRIVE(b, 2.0);
  APPLYREVERB(b, room, 0.5, 0.35, false);
  FADEEDGES(b, 0, 0.2);
  return b;
}

SOUNDBUF SFX_EXPLODE(uint64_t s) { return BLAST(s, 2.0, 45, 3000, 0.18, 0.7, 14); }

SOUNDBUF SFX_MINEBLOW(uint64_t s) {  // a mine: sharp high crack over a shorter boom
  SOUNDBUF b = BLAST(s, 1.5, 60, 5000, 0.1, 0.5, 22);
  MIXIN(b, CLICK(s + 99, 3000, 0.004), 0, 1.2);
  return b;
}

SOUNDBUF SFX_REXPLODE(uint64_t s) {  // the energy blast: boom with an electric swell and a falling sweep
  SOUNDBUF b = BLAST(s, 2.6, 40, 2500, 0.25, 0.9, 6);
  SOUNDBUF sweep = GLIDE(1.8, 1600, 90, 2, 0.01, 0.8);
  LOWPASSBUF(sweep, 2500, false);
  RINGMOD(sweep, 60, 0.5);
  MIXIN(b, sweep, 0, 0.5);
  return b;
}

SOUNDBUF SFX_TEXPLODE(uint64_t s) {  // a tank or big object destroyed: biggest blast, metal clangs
  SOUNDBUF b = BLAST(s, 3.0, 35, 2200, 0.3, 0.95, 30);
  MIXIN(b, METALRING(s + 5, 1.5, 310, 0.5, 8), 0.08, 0.6);
  MIXIN(b, METALRING(s + 6, 1.2, 520, 0.3, 6), 0.5, 0.4);
  MIXIN(b, METALRING(s + 7, 1.0, 740, 0.2, 6), 0.9, 0.3);
  return b;
}

SOUNDBUF SFX_TANKGUN(uint64_t s) {  // tank cannon: heavy low blast with a long rolling tail
  SOUNDBUF b = SILENCE(2.4);
  MIXIN(b, THUMP(2.0, 120, 32, 0.05, 0.35), 0, 1.4);
  MIXIN(b, NOISEHIT(s, 2.0, 2600, 150, 0.12, 0.001, 0.15), 0, 1.3);
  MIXIN(b, CLICK(s + 1, 2500, 0.003), 0, 1.0);
  MIXIN(b, METALRING(s + 2, 0.6, 180, 0.2, 5), 0.02, 0.4);
  DRIVE(b, 2.2);
  ECHOES(b, 0.45, 0.3, 0.3);
  APPLYREVERB(b, 0.9, 0.6, 0.35, false);
  FADEEDGES(b, 0, 0.3);
  return b;
}

SOUNDBUF SFX_FLAME(uint64_t s) {  // flame thrower: a roaring, crackling gush
  NOISE n(s);
  SVF f;
  f.SET(900, 0.9);
  ONEPOLE flick;
  flick.SETLP(14);
  SOUNDBUF b = RENDER(0.9, [&](double t) {
    double e = std::min(1.0, t / 0.05) * std::min(1.0, std::max(0.0, 0.9 - t) / 0.35);
    double mod = 0.6 + 0.8 * std::fabs(flick.LP(n.WHITE() * 4.0));
    double crackle = n.UNIT() < 0.004 ? n.WHITE() * 3 : 0;
    return (f.RUN(n.WHITE()) * mod + crackle * 0.3) * e;
  });
  MIXIN(b, THUMP(0.3, 90, 55, 0.05, 0.15), 0, 0.3);
  FADEEDGES(b, 0, 0.02);
  return b;
}

SOUNDBUF SFX_NOAMMO(uint64_t s) {  // dry hammer click on an empty chamber
  SOUNDBUF b = SILENCE(0.25);
  MIXIN(b, CLICK(s, 3200, 0.0012), 0, 1.0);
  MIXIN(b, CLICK(s + 1, 1900, 0.002), 0.045, 0.7);
  MIXIN(b, METALRING(s + 2, 0.15, 2100, 0.02, 4), 0.045, 0.4);
  return b;
}

SOUNDBUF SFX_NOCHAIN(uint64_t s) {  // heavy gun out of ammunition: clunk and a dead ratchet
  SOUNDBUF b = SILENCE(0.45);
  MIXIN(b, CLICK(s, 1200, 0.004), 0, 1.0);
  MIXIN(b, THUMP(0.15, 220, 120, 0.01, 0.03), 0, 0.6);
  for (int k = 0; k < 4; k++) MIXIN(b, CLICK(s + 3 + k, 2600, 0.0015), 0.09 + 0.05 * k, 0.5 - 0.08 * k);
  return b;
}

SOUNDBUF SFX_DROPMINE(uint64_t s) {  // mine set down: a metal clunk and an arming chirp
  SOUNDBUF b = SILENCE(0.5);
  MIXIN(b, THUMP(0.2, 260, 140, 0.01, 0.04), 0, 0.8);
  MIXIN(b, METALRING(s, 0.3, 900, 0.06, 5), 0, 0.6);
  MIXIN(b, GLIDE(0.07, 2200, 2200, 1, 0.002, 0.02), 0.16, 0.12);
  MIXIN(b, GLIDE(0.07, 2900, 2900, 1, 0.002, 0.02), 0.25, 0.12);
  return b;
}

// Weapon change: a cocking sequence whose pitch and parts differ per weapon.
static SOUNDBUF CHANGE(uint64_t s, int w) {
  SOUNDBUF b = SILENCE(0.5);
  double pitch = 0.7 + 0.12 * w;
  MIXIN(b, CLICK(s, 1800 * pitch, 0.002), 0, 0.9);
  MIXIN(b, METALRING(s + 1, 0.2, 600 * pitch, 0.04, 5), 0, 0.5);
  MIXIN(b, NOISESWEEP(s + 2, 0.09 + 0.01 * w, 1500 * pitch, 3500 * pitch, 2.0, 0.01, 0.03), 0.06, 0.6);
  MIXIN(b, CLICK(s + 3, 2500 * pitch, 0.0015), 0.16 + 0.012 * w, 1.0);
  MIXIN(b, METALRING(s + 4, 0.25, 900 * pitch, 0.05, 4), 0.16 + 0.012 * w, 0.4);
  if (w >= 4) MIXIN(b, GLIDE(0.12, 200 + 60 * w, 500 + 120 * w, 0, 0.01, 0.05), 0.02, 0.25);  // power-up hum
  FADEEDGES(b, 0, 0.02);
  return b;
}

SOUNDBUF SFX_SWEAPON1(uint64_t s) { return CHANGE(s, 1); }
SOUNDBUF SFX_SWEAPON2(uint64_t s) { return CHANGE(s, 2); }
SOUNDBUF SFX_SWEAPON3(uint64_t s) { return CHANGE(s, 3); }
SOUNDBUF SFX_SWEAPON4(uint64_t s) { return CHANGE(s, 4); }
SOUNDBUF SFX_SWEAPON5(uint64_t s) { return CHANGE(s, 5); }
SOUNDBUF SFX_SWEAPON6(uint64_t s) { return CHANGE(s, 6); }
SOUNDBUF SFX_SWEAPON7(uint64_t s) { return CHANGE(s, 7); }
