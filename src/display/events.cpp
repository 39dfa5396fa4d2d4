#include "display/events.h"

#include <deque>

#include "display/backend.h"
#include "display/inputscript.h"
#include "display/keynames.h"
#include "display/renderer.h"

KEYDATA KEYSTATUS[KEYCOUNT + 1];
BYTE READKEY = 255, LASTREADKEY = 255, PREVREADKEY = 255;
int32_t LASTSDLKEY = 0;
bool QUITREQUESTED = false;
bool KEYDOWNNOW[MAXSDLKEY + 1];

namespace {
std::deque<BYTE> TYPEAHEAD;  // typed codes behind READKEY, oldest first
bool KEYTAPPED[KEYCOUNT + 1];
bool SYMTAPPED[MAXSDLKEY + 1];
bool MOUSEPRESSED = false;

void QUEUETYPED(BYTE c) {
  if (READKEY == 255 && TYPEAHEAD.empty()) {
    READKEY = c;
    return;
  }
  if (TYPEAHEAD.size() < static_cast<size_t>(MAXTYPEAHEAD)) TYPEAHEAD.push_back(c);
}

// The code a key without a character types after its 0 prefix; 0 for others.
BYTE EXTENDEDCODE(int32_t sym) {
  switch (sym) {
    case K_UP: return EXT_UP;
    case K_DOWN: return EXT_DOWN;
    case K_LEFT: return EXT_LEFT;
    case K_RIGHT: return EXT_RIGHT;
    case K_PAGEUP: return EXT_PAGEUP;
    case K_PAGEDOWN: return EXT_PAGEDOWN;
    case K_HOME: return EXT_HOME;
    case K_END: return EXT_END;
    default: return 0;
  }
}
}  // namespace

bool TYPEDKEYWAITING() {
  if (READKEY == 255 && !TYPEAHEAD.empty()) {
    READKEY = TYPEAHEAD.front();
    TYPEAHEAD.pop_front();
  }
  return READKEY != 255;
}

BYTE TAKETYPEDKEY() {
  if (!TYPEDKEYWAITING()) return 255;
  const BYTE c = READKEY;
  READKEY = 255;
  TYPEDKEYWAITING();
  return c;
}

void CLEARTYPEDKEYS() {
  TYPEAHEAD.clear();
  READKEY = 255;
}

bool ACTIONHELD(int action, bool withtaps) {
  if (action < 1 || action > KEYCOUNT) return false;
  return KEYSTATUS[action].PRESSED || (withtaps && KEYTAPPED[action]);
}

void CLEARKEYTAPS() {
  for (bool& t : KEYTAPPED) t = false;
}

bool KEYDOWNSINCE(int32_t sym, bool forget) {
  if (sym < 0 || sym > MAXSDLKEY) return false;
  const bool r = KEYDOWNNOW[sym] || SYMTAPPED[sym];
  if (forget) SYMTAPPED[sym] = false;
  return r;
}

bool TAKEMOUSEPRESS() {
  const bool p = MOUSEPRESSED;
  MOUSEPRESSED = false;
  return p;
}

void NOTEMOUSEPRESS() { MOUSEPRESSED = true; }

void TRACKKEYSTATUS(int32_t k, bool down) {
  // 320 marks an unbound action; no key event may press those.
  if (k == UNBOUNDKEY) return;
  for (int i = 1; i <= KEYCOUNT; i++) {
    if (KEYSTATUS[i].KEY == k) {
      KEYSTATUS[i].PRESSED = down;
      if (down) KEYTAPPED[i] = true;
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
      if (ev.SYM >= 0 && ev.SYM <= MAXSDLKEY) KEYDOWNNOW[ev.SYM] = SYMTAPPED[ev.SYM] = true;
      TRACKKEYSTATUS(ev.SYM, true);
      PREVREADKEY = LASTREADKEY;
      const BYTE ext = EXTENDEDCODE(ev.SYM);
      if (ext != 0)
        LASTREADKEY = ext;
      else
        LASTREADKEY = (ev.UNICODE >= 1 && ev.UNICODE <= 127) ? static_cast<BYTE>(ev.UNICODE) : 255;
      // A held key does not repeat: a code is typed when it differs from the
      // previous one or after the key was released.
      if (LASTREADKEY != 255 && LASTREADKEY != PREVREADKEY) {
        if (ext != 0) QUEUETYPED(0);
        QUEUETYPED(LASTREADKEY);
      }
      break;
    }
    case BE_KEYUP:
      if (ev.SYM >= 0 && ev.SYM <= MAXSDLKEY) KEYDOWNNOW[ev.SYM] = false;
      TRACKKEYSTATUS(ev.SYM, false);
      PREVREADKEY = LASTREADKEY;
      LASTREADKEY = 255;
      break;
    case BE_FOCUS:
      APPLICATIONACTIVE = ev.GAIN;
      // Keys released while the window had no focus send no release.
      if (!ev.GAIN) ANYKEYRESET();
      break;
    case BE_QUIT:
      QUITREQUESTED = true;
      break;
    case BE_MOUSEDOWN:
      if (ev.SYM == 1) NOTEMOUSEPRESS();
      break;
    default:
      break;
  }
  if (!APPLICATIONACTIVE) {
    PREVREADKEY = 255;
    LASTREADKEY = 255;
  }
}

void ANYKEYRESET() {
  for (bool& k : KEYDOWNNOW) k = false;
}

bool ANYKEYDOWN() {
  for (bool k : KEYDOWNNOW)
    if (k) return true;
  return false;
}
