#include "display/inputscript.h"

#include <cctype>
#include <cstdio>
#include <sstream>
#include <vector>

#include "display/events.h"
#include "display/keynames.h"
#include "base/harness.h"
#include "base/safefile.h"
#include "base/random.h"

namespace {

// When an event happened: frame, milliseconds after the frame began, and the
// number of the poll within that millisecond.
struct STAMP {
  int64_t F = 0, T = 0, N = 0;
  auto operator<=>(const STAMP&) const = default;
};

struct SCRIPTEVENT {
  STAMP S;
  BACKENDEVENT EV;
};

enum POLLKIND { PK_MOUSE, PK_JOY };
struct POLLSTATE {
  STAMP S;
  int32_t X = 0, Y = 0, B = 0;  // mouse: buttons; joystick: B unused
  bool PRESENT = false, B1 = false, B2 = false;
};

std::vector<SCRIPTEVENT> SEVENTS;
size_t SNEXT = 0;
bool SKIPNEXT = false;

std::vector<POLLSTATE> MOUSELINES, JOYLINES;
size_t MOUSENEXT = 0, JOYNEXT = 0;
bool MOUSESCRIPTED = false, JOYSCRIPTED = false;
POLLSTATE SMOUSE, SJOY;

// Frame-relative clock.
int64_t CLOCKFRAME = -1;
uint64_t FRAMESTART = 0;
int64_t LASTMS = 0, POLLSATMS = 0;
STAMP CURRENT;

// Recording.
FILE* RECFILE = nullptr;
bool RECTRIED = false;
bool RECMOUSEKNOWN = false, RECJOYKNOWN = false;
POLLSTATE RECMOUSE, RECJOY;

STAMP CLOCKNOW(bool poll) {
  uint64_t now = THEBACKEND ? THEBACKEND->TICKS() : 0;
  if (PUSHEDFRAMES != CLOCKFRAME) {
    CLOCKFRAME = PUSHEDFRAMES;
    FRAMESTART = now;
    LASTMS = 0;
    POLLSATMS = 0;
  }
  int64_t el = now >= FRAMESTART ? static_cast<int64_t>(now - FRAMESTART) : 0;
  if (el != LASTMS) {
    LASTMS = el;
    POLLSATMS = 0;
  }
  if (poll) POLLSATMS++;
  CURRENT = {CLOCKFRAME, LASTMS, POLLSATMS};
  return CURRENT;
}

std::string STAMPTEXT(const STAMP& s) {
  if (s.T == 0 && s.N <= 1) return std::to_string(s.F);
  return std::to_string(s.F) + "+" + std::to_string(s.T) + "/" + std::to_string(s.N);
}

bool PARSENUMBER(const std::string& s, int64_t lo, int64_t hi, int64_t& out) {
  if (s.empty() || s.size() > 18) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  out = std::stoll(s);
  return out >= lo && out <= hi;
}

bool PARSESTAMP(const std::string& s, STAMP& out) {
  size_t plus = s.find('+');
  if (plus == std::string::npos) {
    out = {0, 0, 0};
    return PARSENUMBER(s, 0, INT64_MAX / 2, out.F);
  }
  size_t slash = s.find('/', plus);
  if (slash == std::string::npos) return false;
  return PARSENUMBER(s.substr(0, plus), 0, INT64_MAX / 2, out.F) &&
         PARSENUMBER(s.substr(plus + 1, slash - plus - 1), 0, INT64_MAX / 2, out.T) &&
         PARSENUMBER(s.substr(slash + 1), 0, INT64_MAX / 2, out.N);
}

std::vector<std::string> WORDS(const std::string& s) {
  std::vector<std::string> w;
  std::istringstream in(s);
  std::string t;
  while (in >> t) w.push_back(t);
  return w;
}

std::string LOWER(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

void RECORDLINE(const std::string& text) {
  if (HARNESS.RECORD.empty()) return;
  if (!RECFILE && !RECTRIED) {
    RECTRIED = true;
    RECFILE = std::fopen(HARNESS.RECORD.c_str(), "w");
    if (!RECFILE) {
      std::fprintf(stderr, "ashenreach: cannot write the input recording %s\n",
                   HARNESS.RECORD.c_str());
      return;
    }
    uint64_t seed = HARNESS.SEEDGIVEN ? HARNESS.SEED : RANDSEEDVALUE();
    std::fprintf(RECFILE, "# input recorded by ashenreach; replay with --input and --seed %llu\n",
                 static_cast<unsigned long long>(seed));
  }
  // Flushed line by line: the recording of a run that crashes replays the crash.
  if (RECFILE && !text.empty()) {
    std::fprintf(RECFILE, "%s\n", text.c_str());
    std::fflush(RECFILE);
  }
}

std::string KEYFIELD(int32_t sym) {
  std::string n = KEYNAME(sym);
  if (n == "unknown key") return "code " + std::to_string(sym);
  return n;
}

}  // namespace

void CLEARINPUTSCRIPT() {
  SEVENTS.clear();
  SNEXT = 0;
  SKIPNEXT = false;
  MOUSELINES.clear();
  JOYLINES.clear();
  MOUSENEXT = JOYNEXT = 0;
  MOUSESCRIPTED = JOYSCRIPTED = false;
  SMOUSE = SJOY = POLLSTATE();
  CLOCKFRAME = -1;  // the next poll starts the frame clock afresh
}

bool INPUTSCRIPTPENDING() { return SNEXT < SEVENTS.size(); }

bool PARSEINPUTSCRIPT(const std::string& text, const std::string& name, std::string& err) {
  CLEARINPUTSCRIPT();
  std::istringstream in(text);
  std::string line;
  int lineno = 0;
  STAMP last;
  auto fail = [&](const std::string& msg) {
    err = name + ":" + std::to_string(lineno) + ": " + msg;
    CLEARINPUTSCRIPT();
    return false;
  };
  while (std::getline(in, line)) {
    lineno++;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // A typed text of a few thousand characters is already far more than any
    // prompt takes; longer lines are refused before they cost memory.
    if (line.size() > MAXSCRIPTLINE)
      return fail("line longer than " + std::to_string(MAXSCRIPTLINE) + " characters");
    size_t a = line.find_first_not_of(" \t");
    if (a == std::string::npos || line[a] == '#') continue;
    size_t b = line.find_first_of(" \t", a);
    std::string stampword = line.substr(a, b == std::string::npos ? std::string::npos : b - a);
    STAMP s;
    if (!PARSESTAMP(stampword, s)) return fail("'" + stampword + "' is not a frame number");
    if (s < last) return fail("frame " + stampword + " comes before the frame of an earlier line");
    last = s;
    size_t c = b == std::string::npos ? std::string::npos : line.find_first_not_of(" \t", b);
    if (c == std::string::npos) return fail("an event (down, up, text, ...) must follow the frame");
    size_t d = line.find_first_of(" \t", c);
    std::string verb = LOWER(line.substr(c, d == std::string::npos ? std::string::npos : d - c));
    std::string rest;
    if (d != std::string::npos) {
      size_t r = line.find_first_not_of(" \t", d);
      if (r != std::string::npos) rest = line.substr(r);
    }
    // A "#" after a blank ends the line; one at the very start of the
    // argument is the "#" key or character itself.
    for (size_t i = 1; i < rest.size(); i++) {
      if (rest[i] == '#' && (rest[i - 1] == ' ' || rest[i - 1] == '\t')) {
        rest.resize(i);
        break;
      }
    }
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.pop_back();
    std::vector<std::string> w = WORDS(rest);

    if (verb == "down" || verb == "up") {
      if (rest.empty()) return fail("a key name must follow '" + verb + "'");
      std::string keyname = rest;
      int64_t typed = -1;
      if (verb == "down" && w.size() >= 3 && LOWER(w[w.size() - 2]) == "char") {
        if (!PARSENUMBER(w.back(), 0, 127, typed))
          return fail("'char' needs a character code 0..127, not '" + w.back() + "'");
        keyname = rest.substr(0, rest.rfind(w[w.size() - 2]));
        while (!keyname.empty() && (keyname.back() == ' ' || keyname.back() == '\t'))
          keyname.pop_back();
      }
      int64_t code = KEYCODEOFNAME(keyname);
      if (code < 0 && LOWER(keyname).rfind("code ", 0) == 0 &&
          !PARSENUMBER(keyname.substr(5), 0, 65535, code))
        code = -1;
      if (code < 0) return fail("unknown key name '" + keyname + "'");
      SCRIPTEVENT e;
      e.S = s;
      e.EV.TYPE = verb == "down" ? BE_KEYDOWN : BE_KEYUP;
      e.EV.SYM = static_cast<int32_t>(code);
      if (verb == "down")
        e.EV.UNICODE = typed >= 0 ? static_cast<int32_t>(typed) : KEYCHARACTER(e.EV.SYM);
      SEVENTS.push_back(e);
    } else if (verb == "text") {
      if (rest.empty()) return fail("characters must follow 'text'");
      for (unsigned char ch : rest) {
        if (ch < 32 || ch > 126)
          return fail("'text' can type only the printable characters 32..126");
        SCRIPTEVENT e;
        e.S = s;
        e.EV.TYPE = BE_KEYDOWN;
        e.EV.SYM = (ch >= 'A' && ch <= 'Z') ? ch - 'A' + 'a' : ch;
        e.EV.UNICODE = ch;
        SEVENTS.push_back(e);
        e.EV.TYPE = BE_KEYUP;
        e.EV.UNICODE = 0;
        SEVENTS.push_back(e);
      }
    } else if (verb == "focus") {
      std::string v = LOWER(rest);
      SCRIPTEVENT e;
      e.S = s;
      e.EV.TYPE = BE_FOCUS;
      if (v == "1" || v == "gained" || v == "on")
        e.EV.GAIN = true;
      else if (v == "0" || v == "lost" || v == "off")
        e.EV.GAIN = false;
      else
        return fail("'focus' needs 0 or 1, not '" + rest + "'");
      SEVENTS.push_back(e);
    } else if (verb == "close") {
      SCRIPTEVENT e;
      e.S = s;
      e.EV.TYPE = BE_QUIT;
      SEVENTS.push_back(e);
    } else if (verb == "mouse") {
      POLLSTATE p;
      p.S = s;
      int64_t x = 0, y = 0, bt = 0;
      if (w.size() != 3 || !PARSENUMBER(w[0], 0, 65535, x) || !PARSENUMBER(w[1], 0, 65535, y) ||
          !PARSENUMBER(w[2], 0, 3, bt))
        return fail("'mouse' needs X Y BUTTONS (pixels, buttons 0..3)");
      p.X = static_cast<int32_t>(x);
      p.Y = static_cast<int32_t>(y);
      p.B = static_cast<int32_t>(bt);
      MOUSELINES.push_back(p);
    } else if (verb == "joy") {
      POLLSTATE p;
      p.S = s;
      if (w.size() == 1 && LOWER(w[0]) == "none") {
        p.PRESENT = false;
      } else {
        int64_t x = 0, y = 0, b1 = 0, b2 = 0;
        if (w.size() != 4 || !PARSENUMBER(w[0], 0, 255, x) || !PARSENUMBER(w[1], 0, 255, y) ||
            !PARSENUMBER(w[2], 0, 1, b1) || !PARSENUMBER(w[3], 0, 1, b2))
          return fail("'joy' needs X Y BUTTON1 BUTTON2 (stick 0..255, buttons 0/1) or 'none'");
        p.PRESENT = true;
        p.X = static_cast<int32_t>(x);
        p.Y = static_cast<int32_t>(y);
        p.B1 = b1 == 1;
        p.B2 = b2 == 1;
      }
      JOYLINES.push_back(p);
    } else {
      return fail("unknown event '" + verb + "' (down, up, text, focus, close, mouse or joy)");
    }
  }
  return true;
}

bool LOADINPUTSCRIPT(const std::string& path, std::string& err) {
  std::string text, why;
  if (READFILESAFE(path, MAXSCRIPTBYTES, text, why) != FR_OK) {
    err = "cannot read the input script: " + why;
    CLEARINPUTSCRIPT();
    return false;
  }
  return PARSEINPUTSCRIPT(text, path, err);
}

void INPUTCLOCKSTEP() { CLOCKNOW(true); }

bool NEXTSCRIPTEDEVENT(BACKENDEVENT& ev) {
  if (SNEXT >= SEVENTS.size()) return false;
  const SCRIPTEVENT& e = SEVENTS[SNEXT];
  if (!SKIPNEXT && CURRENT < e.S) return false;
  SKIPNEXT = false;
  ev = e.EV;
  SNEXT++;
  return true;
}

void SCRIPTSKIPAHEAD() {
  // An event of the current frame arrives as the clock runs on; only a later
  // frame, which a blocked program would never push, is brought forward.
  if (SNEXT < SEVENTS.size() && SEVENTS[SNEXT].S.F > CLOCKFRAME) SKIPNEXT = true;
}

void RECORDEVENT(const BACKENDEVENT& ev) {
  if (HARNESS.RECORD.empty()) return;
  std::string st = STAMPTEXT(CURRENT);
  switch (ev.TYPE) {
    case BE_KEYDOWN: {
      std::string line = st + " down " + KEYFIELD(ev.SYM);
      int32_t typed = (ev.UNICODE >= 1 && ev.UNICODE <= 127) ? ev.UNICODE : 0;
      if (typed != KEYCHARACTER(ev.SYM)) line += " char " + std::to_string(typed);
      RECORDLINE(line);
      break;
    }
    case BE_KEYUP:
      RECORDLINE(st + " up " + KEYFIELD(ev.SYM));
      break;
    case BE_FOCUS:
      RECORDLINE(st + " focus " + (ev.GAIN ? "1" : "0"));
      break;
    case BE_QUIT:
      RECORDLINE(st + " close");
      break;
    case BE_MOUSEDOWN: {
      // A press recorded as a pointer state with the button held, so that a
      // click too short for any look at the buttons replays as a click.
      int32_t x = 0, y = 0, b = 0;
      if (THEBACKEND) THEBACKEND->MOUSESTATE(x, y, b);
      b = (b & 3) | (ev.SYM == 1 ? 1 : 2);
      RECMOUSEKNOWN = true;
      RECMOUSE.X = x;
      RECMOUSE.Y = y;
      RECMOUSE.B = b;
      RECORDLINE(st + " mouse " + std::to_string(x) + " " + std::to_string(y) + " " +
                 std::to_string(b));
      break;
    }
    default:
      break;
  }
}

void CLOSERECORDING() {
  if (HARNESS.RECORD.empty()) return;
  RECORDLINE("");  // creates the file even when nothing was recorded
  if (RECFILE) {
    std::fclose(RECFILE);
    RECFILE = nullptr;
  }
  RECTRIED = false;
  RECMOUSEKNOWN = RECJOYKNOWN = false;
}

void READMOUSE(int32_t& x, int32_t& y, int32_t& buttons) {
  STAMP now = CLOCKNOW(false);
  while (MOUSENEXT < MOUSELINES.size() && !(now < MOUSELINES[MOUSENEXT].S)) {
    const POLLSTATE& next = MOUSELINES[MOUSENEXT++];
    // A press between two looks is kept even when the release follows it.
    if ((next.B & 1) && !(MOUSESCRIPTED && (SMOUSE.B & 1))) NOTEMOUSEPRESS();
    SMOUSE = next;
    MOUSESCRIPTED = true;
  }
  if (MOUSESCRIPTED) {
    x = SMOUSE.X;
    y = SMOUSE.Y;
    buttons = SMOUSE.B;
    return;
  }
  x = y = buttons = 0;
  if (THEBACKEND) THEBACKEND->MOUSESTATE(x, y, buttons);
  buttons &= 3;
  if (!HARNESS.RECORD.empty() &&
      (!RECMOUSEKNOWN || x != RECMOUSE.X || y != RECMOUSE.Y || buttons != RECMOUSE.B)) {
    RECMOUSEKNOWN = true;
    RECMOUSE.X = x;
    RECMOUSE.Y = y;
    RECMOUSE.B = buttons;
    RECORDLINE(STAMPTEXT(now) + " mouse " + std::to_string(x) + " " + std::to_string(y) + " " +
               std::to_string(buttons));
  }
}

void MOVEMOUSE(int32_t x, int32_t y) {
  if (MOUSESCRIPTED) {
    SMOUSE.X = x;
    SMOUSE.Y = y;
  }
  if (RECMOUSEKNOWN) {
    RECMOUSE.X = x;
    RECMOUSE.Y = y;
  }
  if (THEBACKEND) THEBACKEND->WARPMOUSE(x, y);
}

bool READJOYSTICK(int32_t& x, int32_t& y, bool& button1, bool& button2) {
  STAMP now = CLOCKNOW(false);
  while (JOYNEXT < JOYLINES.size() && !(now < JOYLINES[JOYNEXT].S)) {
    SJOY = JOYLINES[JOYNEXT++];
    JOYSCRIPTED = true;
  }
  POLLSTATE j;
  if (JOYSCRIPTED) {
    j = SJOY;
  } else {
    j.X = j.Y = 128;
    if (THEBACKEND) j.PRESENT = THEBACKEND->JOYSTATE(j.X, j.Y, j.B1, j.B2);
    if (!HARNESS.RECORD.empty() &&
        (!RECJOYKNOWN || j.PRESENT != RECJOY.PRESENT ||
         (j.PRESENT && (j.X != RECJOY.X || j.Y != RECJOY.Y || j.B1 != RECJOY.B1 ||
                        j.B2 != RECJOY.B2)))) {
      RECJOYKNOWN = true;
      RECJOY = j;
      RECORDLINE(STAMPTEXT(now) + " joy " +
                 (j.PRESENT ? std::to_string(j.X) + " " + std::to_string(j.Y) + " " +
                                  (j.B1 ? "1" : "0") + " " + (j.B2 ? "1" : "0")
                            : std::string("none")));
    }
  }
  if (!j.PRESENT) {
    x = y = 0;
    button1 = button2 = false;
    return false;
  }
  x = j.X < 0 ? 0 : (j.X > 255 ? 255 : j.X);
  y = j.Y < 0 ? 0 : (j.Y > 255 ? 255 : j.Y);
  button1 = j.B1;
  button2 = j.B2;
  return true;
}
