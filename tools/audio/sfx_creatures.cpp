// Player grunts and monster cries, from the formant voice of sfxkit.
#include <cmath>

#include "recipes.h"
#include "sfxkit.h"

static SOUNDBUF FINISHCRY(SOUNDBUF b, double room, double wet, double drive) {
  if (drive > 0) DRIVE(b, drive);
  if (wet > 0) {
    b.S.resize(b.S.size() + static_cast<size_t>(SECS(room * 1.2)), 0.0f);
    APPLYREVERB(b, room, 0.4, wet, false);
  }
  FADEEDGES(b, 0.002, 0.05);
  return b;
}

SOUNDBUF SFX_PHURT1(uint64_t s) {  // player hurt: a short pained "uh"
  CRY c;
  c.SECONDS = 0.28; c.PITCH0 = 165; c.PITCH1 = 120;
  c.F1 = 600; c.F2 = 1100; c.F3 = 2500; c.G1 = 450; c.G2 = 950; c.G3 = 2400;
  c.ROUGH = 0.2; c.BREATH = 0.25; c.ATTACK = 0.01; c.RELEASE = 0.1; c.DECAY = 2.5;
  return FINISHCRY(CRYOUT(s, c), 0.3, 0.15, 1.5);
}

SOUNDBUF SFX_PHURT2(uint64_t s) {  // player hurt, second: a sharper "agh"
  CRY c;
  c.SECONDS = 0.33; c.PITCH0 = 190; c.PITCH1 = 135;
  c.F1 = 750; c.F2 = 1250; c.F3 = 2600; c.G1 = 650; c.G2 = 1150; c.G3 = 2500;
  c.ROUGH = 0.35; c.BREATH = 0.3; c.ATTACK = 0.008; c.RELEASE = 0.12; c.DECAY = 1.8;
  return FINISHCRY(CRYOUT(s, c), 0.3, 0.15, 2.0);
}

SOUNDBUF SFX_PLDETH1(uint64_t s) {  // player death: a long falling scream and a collapse
  CRY c;
  c.SECONDS = 1.2; c.PITCH0 = 230; c.PITCH1 = 85;
  c.F1 = 800; c.F2 = 1300; c.F3 = 2700; c.G1 = 420; c.G2 = 800; c.G3 = 2300;
  c.ROUGH = 0.45; c.BREATH = 0.3; c.ATTACK = 0.02; c.RELEASE = 0.5; c.VIBRATO = 0.4; c.VIBHZ = 7;
  c.DECAY = 1.2; c.SWELL = 0.4;
  SOUNDBUF b = CRYOUT(s, c);
  b.S.resize(b.S.size() + static_cast<size_t>(SECS(0.4)), 0.0f);
  MIXIN(b, THUMP(0.4, 110, 55, 0.02, 0.08), 1.05, 0.7);
  MIXIN(b, NOISEHIT(s + 1, 0.3, 1200, 300, 0.05, 0.004, 0.05), 1.05, 0.5);
  return FINISHCRY(b, 0.5, 0.25, 1.6);
}

// Monster cries: three beasts of different size and voice.
static CRY BEAST(int kind) {
  CRY c;
  if (kind == 1) {  // hound: high snarling yelp
    c.PITCH0 = 330; c.PITCH1 = 240; c.F1 = 900; c.F2 = 1500; c.F3 = 3000;
    c.G1 = 700; c.G2 = 1300; c.G3 = 2800; c.ROUGH = 0.5; c.BREATH = 0.35; c.DECAY = 1.5;
  } else if (kind == 2) {  // brute: deep growl
    c.PITCH0 = 95; c.PITCH1 = 70; c.F1 = 500; c.F2 = 850; c.F3 = 2100;
    c.G1 = 420; c.G2 = 750; c.G3 = 2000; c.ROUGH = 0.85; c.BREATH = 0.4; c.TREMHZ = 23; c.TREM = 0.6;
  } else {  // ghoul: hollow rasp
    c.PITCH0 = 160; c.PITCH1 = 110; c.F1 = 350; c.F2 = 2000; c.F3 = 2900;
    c.G1 = 600; c.G2 = 900; c.G3 = 2500; c.ROUGH = 0.65; c.BREATH = 0.9; c.TREMHZ = 9; c.TREM = 0.35;
  }
  return c;
}

static SOUNDBUF MHURT(uint64_t s, int kind) {
  CRY c = BEAST(kind);
  c.SECONDS = kind == 2 ? 0.4 : 0.3;
  c.PITCH0 *= 1.3;
  c.ATTACK = 0.006; c.RELEASE = 0.12; c.DECAY += 2.0;
  return FINISHCRY(CRYOUT(s, c), 0.4, 0.15, 2.5);
}

static SOUNDBUF MDEATH(uint64_t s, int kind) {
  CRY c = BEAST(kind);
  c.SECONDS = kind == 2 ? 1.4 : 1.0;
  c.PITCH0 *= 1.2;
  c.PITCH1 *= 0.55;
  c.VIBRATO = 0.8; c.VIBHZ = 9; c.ATTACK = 0.02; c.RELEASE = 0.6; c.DECAY += 1.0; c.SWELL = 0.5;
  SOUNDBUF b = CRYOUT(s, c);
  b.S.resize(b.S.size() + static_cast<size_t>(SECS(0.5)), 0.0f);
  MIXIN(b, NOISEHIT(s + 1, 0.4, 900, 200, 0.08, 0.005, 0.07), c.SECONDS - 0.2, 0.6);  // body falls
  MIXIN(b, THUMP(0.3, 90, 45, 0.02, 0.07), c.SECONDS - 0.2, 0.6);
  return FINISHCRY(b, 0.6, 0.25, 2.2);
}

static SOUNDBUF MNOTICE(uint64_t s, int kind) {
  CRY c = BEAST(kind);
  c.SECONDS = kind == 2 ? 1.1 : 0.8;
  c.PITCH1 = c.PITCH0 * 1.15;  // a rising challenge
  c.PITCH0 *= 0.85;
  c.G1 = c.F1 * 1.3; c.G2 = c.F2 * 1.1;
  c.VIBRATO = 0.5; c.VIBHZ = 5; c.ATTACK = 0.08; c.RELEASE = 0.35; c.SWELL = 1.2;
  return FINISHCRY(CRYOUT(s, c), 0.7, 0.3, 2.0);
}

SOUNDBUF SFX_MHURT1(uint64_t s) { return MHURT(s, 1); }
SOUNDBUF SFX_MHURT2(uint64_t s) { return MHURT(s, 2); }
SOUNDBUF SFX_MHURT3(uint64_t s) { return MHURT(s, 3); }
SOUNDBUF SFX_MDEATH1(uint64_t s) { return MDEATH(s, 1); }
SOUNDBUF SFX_MDEATH2(uint64_t s) { return MDEATH(s, 2); }
SOUNDBUF SFX_MDEATH3(uint64_t s) { return MDEATH(s, 3); }
SOUNDBUF SFX_MNOTICE1(uint64_t s) { return MNOTICE(s, 1); }
SOUNDBUF SFX_MNOTICE2(uint64_t s) { return MNOTICE(s, 2); }
SOUNDBUF SFX_MNOTICE3(uint64_t s) { return MNOTICE(s, 3); }
