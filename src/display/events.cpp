#include "display/events.h"

#include "display/backend.h"
#include "display/inputscript.h"
#include "display/keynames.h"
#include "display/renderer.h"

KEYDATA KEYSTATUS[KEYCOUNT + 1];
BYTE READKEY = 255, LASTREADKEY = 255, PREVREADKEY = 255;
int32_t LASTSDLKEY = 0;

void TRACKKEYSTATUS(int32_t k, bool down) {
  // 320 marks an unbound action; no key event may press those.
  if (k == UNBOUNDKEY) return;
  for (int i = 1; i <= KEYCOUNT; i++) {
    if (KEYSTATUS[i].KEY == k) {
      KEYSTATUS[i].PRESSED = down;
      return;
    }
  }
}

void HANDLESDLEVENTS() {
  INPUTCLOCKSTEP();
  BACKENDEVENT ev;
  if (!NEXTSCRIPTEDEVENT(ev)) {
    if (!THEBACKEND || !THEBACKEND->POLLEVENT(ev)) return;
    RECORDEVENT(ev);
  }
  switch (ev.TYPE) {
    case BE_KEYDOWN: {
      LASTSDLKEY = ev.SYM;
      TRACKKEYSTATUS(ev.SYM, true);
      PREVREADKEY = LASTREADKEY;
      LASTREADKEY = (ev.UNICODE >= 1 && ev.UNICODE <= 127) ? static_cast<BYTE>(ev.UNICODE) : 255;
      if (ev.SYM == K_DOWN) LASTREADKEY = 0x50;
      if (ev.SYM == K_UP) LASTREADKEY = 0x48;
      if (ev.SYM == K_LEFT) LASTREADKEY = 0x4B;
      if (ev.SYM == K_RIGHT) LASTREADKEY = 0x4D;
      if (READKEY == 255) READKEY = (LASTREADKEY != PREVREADKEY) ? LASTREADKEY : 255;
      break;
    }
    case BE_KEYUP:
      TRACKKEYSTATUS(ev.SYM, false);
      PREVREADKEY = LASTREADKEY;
      LASTREADKEY = 255;
      break;
    case BE_FOCUS:
      APPLICATIONACTIVE = ev.GAIN;
      break;
    default:
      break;
  }
  if (!APPLICATIONACTIVE) {
    PREVREADKEY = 255;
    LASTREADKEY = 255;
  }
}
