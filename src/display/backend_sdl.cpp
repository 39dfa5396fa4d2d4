// The SDL2 / OpenGL / SDL2_mixer back-end.
//
// Drawing: every uploaded texture gets a place in an atlas page (one large GL
// texture, entries padded by one replicated pixel so nearest sampling never
// reads a neighbour). Quads are collected in a client-side vertex array and
// drawn with one glDrawArrays per run of the same blend mode and page, so the
// draw calls of a frame do not grow with the number of cells. An atlas entry
// cannot wrap, so a quad whose u runs past a whole number is split there.
//
// Typed characters: for a key down the character is computed from the key
// code and the shift/caps state (a US layout); when SDL delivers a text-input
// event for that key right behind it in the queue, its character (when 1..127)
// replaces the computed one, which lets other keyboard layouts type correctly.
// Text-input events without a key down before them are ignored.
#include "display/backend_sdl.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "display/backend_sdl_audio.h"
#include "display/renderer.h"
#include "display/sdlkeys.h"
#include "base/harness.h"
#include "base/safefile.h"

namespace {

constexpr int32_t PAGESIZE = 2048;
constexpr int32_t PAD = 1;

struct PAGE {
  GLuint TEX = 0;
  int32_t SIZE = 0;
  int32_t SHELFY = 0, SHELFH = 0, CURX = 0;
};

// A place in a page: the padded rectangle, and the texture's own size inside.
struct SLOT {
  int32_t PAGE = 0, X = 0, Y = 0, W = 0, H = 0;
};

struct ENTRY {
  SLOT S;
  int32_t W = 0, H = 0;
};

struct VERT {
  float X, Y, U, V;
  uint8_t R, G, B, A;
};

// The character a key types, computed from the key code and the modifiers.
int32_t TYPEDCHAR(SDL_Keycode sym, Uint16 mod) {
  const bool shift = (mod & KMOD_SHIFT) != 0, caps = (mod & KMOD_CAPS) != 0;
  const bool ctrl = (mod & KMOD_CTRL) != 0;
  if (sym >= 'a' && sym <= 'z') {
    if (ctrl) return sym - 'a' + 1;
    return (shift != caps) ? sym - 'a' + 'A' : sym;
  }
  if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) return 13;
  if (sym == SDLK_ESCAPE) return 27;
  if (sym == SDLK_BACKSPACE) return 8;
  if (sym == SDLK_TAB) return 9;
  if (sym == SDLK_DELETE) return 127;
  if (sym >= 32 && sym < 127) {
    if (!shift) return sym;
    static const char* plain = "1234567890-=[]\\;',./`";
    static const char* shifted = "!@#$%^&*()_+{}|:\"<>?~";
    const char* p = std::strchr(plain, static_cast<int>(sym));
    return p ? shifted[p - plain] : sym;
  }
  if (mod & KMOD_NUM) {
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return '1' + (sym - SDLK_KP_1);
    if (sym == SDLK_KP_0) return '0';
    if (sym == SDLK_KP_PERIOD) return '.';
  }
  if (sym == SDLK_KP_DIVIDE) return '/';
  if (sym == SDLK_KP_MULTIPLY) return '*';
  if (sym == SDLK_KP_MINUS) return '-';
  if (sym == SDLK_KP_PLUS) return '+';
  return 0;
}

class SDLGL : public BACKEND {
 public:
  SDLGL(int32_t w, int32_t h) : REQW(w), REQH(h) {}
  ~SDLGL() override { CLOSE(); }

  bool OPEN(int32_t& width, int32_t& height) override;
  void CLOSE() override;

  uint64_t TICKS() override { return SDL_GetTicks64(); }
  void IDLE(int32_t ms) override {
    AUDIO.RELEASE();
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
  }

  bool POLLEVENT(BACKENDEVENT& ev) override;
  void MOUSESTATE(int32_t& x, int32_t& y, int32_t& buttons) override {
    int mx = 0, my = 0;
    Uint32 b = SDL_GetMouseState(&mx, &my);
    x = mx;
    y = my;
    buttons = ((b & SDL_BUTTON(SDL_BUTTON_LEFT)) ? 1 : 0) | ((b & SDL_BUTTON(SDL_BUTTON_RIGHT)) ? 2 : 0);
  }
  void WARPMOUSE(int32_t x, int32_t y) override {
    if (WIN) SDL_WarpMouseInWindow(WIN, x, y);
  }
  bool JOYSTATE(int32_t& x, int32_t& y, bool& b1, bool& b2) override {
    x = y = 128;
    b1 = b2 = false;
    if (!PADDLE) return false;
    x = (SDL_GameControllerGetAxis(PADDLE, SDL_CONTROLLER_AXIS_LEFTX) + 32768) >> 8;
    y = (SDL_GameControllerGetAxis(PADDLE, SDL_CONTROLLER_AXIS_LEFTY) + 32768) >> 8;
    b1 = SDL_GameControllerGetButton(PADDLE, SDL_CONTROLLER_BUTTON_A) != 0;
    b2 = SDL_GameControllerGetButton(PADDLE, SDL_CONTROLLER_BUTTON_B) != 0;
    return true;
  }

  int32_t UPLOADTEXTURE(const IMAGE& img) override;
  void DELETETEXTURE(int32_t handle) override;
  void BEGINFRAME() override {
    if (!CTX) return;
    BATCH.clear();
    CALLS = 0;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  void SETBLEND(BLENDMODE mode) override { BLEND = mode; }
  void QUAD(int32_t tex, float x1, float y1, float x2, float y2, float u1, float v1, float u2,
            float v2, uint8_t r, uint8_t g, uint8_t b) override;
  void ENDFRAME() override;
  bool READFRAME(IMAGE& out) override {
    if (!HAVEFRAME) return false;
    out = FRAME;
    return true;
  }
  int32_t DRAWCALLS() override { return LASTCALLS; }

  bool OPENAUDIO() override { return AUDIO.OPEN(); }
  void CLOSEAUDIO() override { AUDIO.CLOSE(); }
  std::string AUDIOERROR() override { return AUDIO.ERROR(); }
  int32_t LOADSOUND(const std::string& path) override { return AUDIO.LOAD(path); }
  void FREESOUND(int32_t handle) override { AUDIO.FREE(handle); }
  int32_t SOUNDSPENDING() override { return AUDIO.PENDING(); }
  void PLAYSOUND(int32_t channel, int32_t handle, int32_t loops) override {
    AUDIO.PLAY(channel, handle, loops);
  }
  void HALTSOUND(int32_t channel) override { AUDIO.HALT(channel); }
  bool SOUNDBUSY(int32_t channel) override { return AUDIO.BUSY(channel); }
  void SOUNDVOLUME(int32_t channel, int32_t volume) override { AUDIO.VOLUME(channel, volume); }
  void PAUSEAUDIO(bool paused) override { AUDIO.PAUSE(paused); }

  bool KEEP = false;

 private:
  bool ALLOCATE(int32_t w, int32_t h, SLOT& out);
  void FLUSH();
  void EMIT(const ENTRY& e, float x1, float y1, float x2, float y2, double lu1, double lu2,
            float v1, float v2, uint8_t r, uint8_t g, uint8_t b);
  void OPENPADDLE();

  int32_t REQW, REQH;
  int32_t FW = 0, FH = 0;
  SDL_Window* WIN = nullptr;
  SDL_GLContext CTX = nullptr;
  bool VIDEOUP = false;
  GLint MAXTEX = 2048;
  std::vector<PAGE> PAGES;
  std::vector<SLOT> FREESLOTS;
  std::map<int32_t, ENTRY> ENTRIES;
  int32_t NEXTHANDLE = 1;
  std::vector<VERT> BATCH;
  int32_t BATCHPAGE = -1;
  BLENDMODE BATCHBLEND = BLEND_ADDITIVE, BLEND = BLEND_ADDITIVE;
  int32_t CALLS = 0, LASTCALLS = 0;
  IMAGE FRAME;
  bool HAVEFRAME = false;
  SDLAUDIO AUDIO;
  SDL_GameController* PADDLE = nullptr;
};

bool SDLGL::OPEN(int32_t& width, int32_t& height) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    VIDEOERROR = std::string("no usable display (video initialisation failed: ") +
                 SDL_GetError() + "). Use --headless to run without a window.";
    return false;
  }
  VIDEOUP = true;
  // Without a display SDL may fall back to a driver that draws nowhere; the
  // game would then run invisibly. Refuse those.
  const char* driver = SDL_GetCurrentVideoDriver();
  const std::string drv = driver ? driver : "";
  if (drv.empty() || drv == "offscreen" || drv == "dummy" || drv == "evdev") {
    VIDEOERROR = "no usable display (SDL video driver '" + drv +
                 "' draws nowhere; is DISPLAY or WAYLAND_DISPLAY set?). "
                 "Use --headless to run without a window.";
    return false;
  }
  int32_t w = REQW, h = REQH;
  if (w <= 0 || h <= 0) {
    SDL_DisplayMode dm;
    if (SDL_GetDesktopDisplayMode(0, &dm) != 0) {
      VIDEOERROR = std::string("no desktop display mode: ") + SDL_GetError();
      return false;
    }
    w = dm.w;
    h = dm.h;
  }
  // A bordered window is as high as the 16:9 band of its width.
  if (WINDOWTYPE == W_BORDERED) h = static_cast<int32_t>(int64_t(w) * 9 / 16);
  // Eight bits a channel so that colours come out exactly as the palette says.
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
  int pos = SDL_WINDOWPOS_UNDEFINED;
  if (WINDOWTYPE == W_FULLSCREEN) {
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  } else {
    pos = 0;
    if (WINDOWTYPE == W_BORDERLESS) flags |= SDL_WINDOW_BORDERLESS;
  }
  WIN = SDL_CreateWindow("ASHEN REACH", pos, pos, w, h, flags);
  if (!WIN) {
    VIDEOERROR = std::string("window creation failed: ") + SDL_GetError();
    return false;
  }
  CTX = SDL_GL_CreateContext(WIN);
  if (!CTX) {
    VIDEOERROR = std::string("no OpenGL context: ") + SDL_GetError();
    SDL_DestroyWindow(WIN);
    WIN = nullptr;
    return false;
  }
  SDL_GL_SetSwapInterval(0);
  int dw = 0, dh = 0;
  SDL_GL_GetDrawableSize(WIN, &dw, &dh);
  FW = dw > 0 ? dw : w;
  FH = dh > 0 ? dh : h;
  width = FW;
  height = FH;

  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &MAXTEX);
  glViewport(0, 0, FW, FH);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, FW, FH, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_DITHER);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);

  SDL_ShowCursor(SDL_DISABLE);
  SDL_StartTextInput();
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) OPENPADDLE();
  return true;
}

void SDLGL::CLOSE() {
  CLOSEAUDIO();
  if (PADDLE) SDL_GameControllerClose(PADDLE);
  PADDLE = nullptr;
  if (CTX) {
    for (PAGE& p : PAGES) glDeleteTextures(1, &p.TEX);
    SDL_GL_DeleteContext(CTX);
  }
  PAGES.clear();
  FREESLOTS.clear();
  ENTRIES.clear();
  CTX = nullptr;
  if (WIN) SDL_DestroyWindow(WIN);
  WIN = nullptr;
  if (VIDEOUP) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER);
  VIDEOUP = false;
}

void SDLGL::OPENPADDLE() {
  if (PADDLE) return;
  for (int i = 0; i < SDL_NumJoysticks(); i++)
    if (SDL_IsGameController(i)) {
      PADDLE = SDL_GameControllerOpen(i);
      if (PADDLE) return;
    }
}

bool SDLGL::POLLEVENT(BACKENDEVENT& ev) {
  ev = BACKENDEVENT();
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_KEYDOWN: {
        if (e.key.repeat) continue;
        ev.TYPE = BE_KEYDOWN;
        ev.SYM = SDL2TOSDL12KEY(e.key.keysym.sym);
        ev.UNICODE = TYPEDCHAR(e.key.keysym.sym, e.key.keysym.mod);
        // The key's own text follows it directly (an end-of-poll marker may
        // sit in between).
        SDL_Event t[2];
        int n = ev.UNICODE >= 32 && ev.UNICODE < 127
                    ? SDL_PeepEvents(t, 2, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)
                    : 0;
        if ((n >= 1 && t[0].type == SDL_TEXTINPUT) ||
            (n == 2 && t[0].type == SDL_POLLSENTINEL && t[1].type == SDL_TEXTINPUT)) {
          SDL_PeepEvents(t, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
          unsigned char c = static_cast<unsigned char>(t[0].text.text[0]);
          if (c >= 1 && c <= 127) ev.UNICODE = c;
        }
        return true;
      }
      case SDL_KEYUP:
        ev.TYPE = BE_KEYUP;
        ev.SYM = SDL2TOSDL12KEY(e.key.keysym.sym);
        return true;
      case SDL_MOUSEBUTTONDOWN:
        // Reported so that a click shorter than the time between two looks
        // at the buttons still counts.
        if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) continue;
        ev.TYPE = BE_MOUSEDOWN;
        ev.SYM = e.button.button == SDL_BUTTON_LEFT ? 1 : 2;
        return true;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ||
            e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          ev.TYPE = BE_FOCUS;
          ev.GAIN = e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
          return true;
        }
        continue;
      case SDL_QUIT:
        ev.TYPE = BE_QUIT;
        return true;
      case SDL_CONTROLLERDEVICEADDED:
        OPENPADDLE();
        continue;
      case SDL_CONTROLLERDEVICEREMOVED:
        if (PADDLE && e.cdevice.which ==
                          SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(PADDLE))) {
          SDL_GameControllerClose(PADDLE);
          PADDLE = nullptr;
          OPENPADDLE();
        }
        continue;
      default:
        continue;
    }
  }
  return false;
}

// Finds room for a padded W x H rectangle: a freed slot that fits, else the
// shelves of an existing page, else a new page.
bool SDLGL::ALLOCATE(int32_t w, int32_t h, SLOT& out) {
  int best = -1;
  for (size_t i = 0; i < FREESLOTS.size(); i++) {
    const SLOT& s = FREESLOTS[i];
    if (s.W >= w && s.H >= h &&
        (best < 0 || int64_t(s.W) * s.H < int64_t(FREESLOTS[best].W) * FREESLOTS[best].H))
      best = static_cast<int>(i);
  }
  if (best >= 0) {
    out = FREESLOTS[best];
    FREESLOTS.erase(FREESLOTS.begin() + best);
    return true;
  }
  for (size_t p = 0; p < PAGES.size(); p++) {
    PAGE& pg = PAGES[p];
    if (pg.CURX + w > pg.SIZE) {
      pg.SHELFY += pg.SHELFH;
      pg.SHELFH = 0;
      pg.CURX = 0;
    }
    if (w <= pg.SIZE && pg.SHELFY + h <= pg.SIZE) {
      out = SLOT{static_cast<int32_t>(p), pg.CURX, pg.SHELFY, w, h};
      pg.CURX += w;
      pg.SHELFH = std::max(pg.SHELFH, h);
      return true;
    }
  }
  int32_t size = PAGESIZE;
  while (size < std::max(w, h) && size < MAXTEX) size *= 2;
  size = std::min<int32_t>(size, MAXTEX);
  if (w > size || h > size) return false;
  PAGE pg;
  pg.SIZE = size;
  glGenTextures(1, &pg.TEX);
  glBindTexture(GL_TEXTURE_2D, pg.TEX);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  pg.CURX = w;
  pg.SHELFH = h;
  PAGES.push_back(pg);
  out = SLOT{static_cast<int32_t>(PAGES.size() - 1), 0, 0, w, h};
  return true;
}

int32_t SDLGL::UPLOADTEXTURE(const IMAGE& img) {
  if (!CTX || img.W <= 0 || img.H <= 0 || img.RGBA.size() < size_t(img.W) * img.H * 4) return 0;
  FLUSH();  // a reused slot must not change under quads still waiting
  const int32_t pw = img.W + 2 * PAD, ph = img.H + 2 * PAD;
  SLOT s;
  if (!ALLOCATE(pw, ph, s)) return 0;
  // The image with its border pixels repeated once around it.
  std::vector<uint8_t> buf(size_t(pw) * ph * 4);
  for (int32_t y = 0; y < ph; y++) {
    int32_t sy = std::clamp(y - PAD, 0, img.H - 1);
    for (int32_t x = 0; x < pw; x++) {
      int32_t sx = std::clamp(x - PAD, 0, img.W - 1);
      std::memcpy(&buf[(size_t(y) * pw + x) * 4], &img.RGBA[(size_t(sy) * img.W + sx) * 4], 4);
    }
  }
  glBindTexture(GL_TEXTURE_2D, PAGES[s.PAGE].TEX);
  glTexSubImage2D(GL_TEXTURE_2D, 0, s.X, s.Y, pw, ph, GL_RGBA, GL_UNSIGNED_BYTE, buf.data());
  int32_t handle = NEXTHANDLE++;
  ENTRIES[handle] = ENTRY{s, img.W, img.H};
  return handle;
}

void SDLGL::DELETETEXTURE(int32_t handle) {
  auto it = ENTRIES.find(handle);
  if (it == ENTRIES.end()) return;
  FLUSH();
  FREESLOTS.push_back(it->second.S);
  ENTRIES.erase(it);
  if (ENTRIES.empty()) {
    // Nothing left: every page is empty again.
    FREESLOTS.clear();
    for (PAGE& p : PAGES) p.SHELFY = p.SHELFH = p.CURX = 0;
  }
}

void SDLGL::EMIT(const ENTRY& e, float x1, float y1, float x2, float y2, double lu1, double lu2,
                 float v1, float v2, uint8_t r, uint8_t g, uint8_t b) {
  // The 1/256-texel nudge settles pixel centres on texel boundaries the same
  // way as the headless rasteriser (the padding absorbs it at the far edge).
  const double size = PAGES[e.S.PAGE].SIZE;
  const double ox = e.S.X + PAD + 1.0 / 256, oy = e.S.Y + PAD + 1.0 / 256;
  const float au1 = float((ox + lu1 * e.W) / size), au2 = float((ox + lu2 * e.W) / size);
  const float av1 = float((oy + std::clamp(v1, 0.0f, 1.0f) * e.H) / size);
  const float av2 = float((oy + std::clamp(v2, 0.0f, 1.0f) * e.H) / size);
  const VERT tl{x1, y1, au1, av1, r, g, b, 255}, tr{x2, y1, au2, av1, r, g, b, 255};
  const VERT br{x2, y2, au2, av2, r, g, b, 255}, bl{x1, y2, au1, av2, r, g, b, 255};
  BATCH.insert(BATCH.end(), {tl, tr, br, bl});
}

void SDLGL::QUAD(int32_t tex, float x1, float y1, float x2, float y2, float u1, float v1,
                 float u2, float v2, uint8_t r, uint8_t g, uint8_t b) {
  auto it = ENTRIES.find(tex);
  if (!CTX || it == ENTRIES.end()) return;
  const ENTRY& e = it->second;
  if (!BATCH.empty() && (e.S.PAGE != BATCHPAGE || BLEND != BATCHBLEND)) FLUSH();
  BATCHPAGE = e.S.PAGE;
  BATCHBLEND = BLEND;
  if (!ORDERQUAD(x1, y1, x2, y2, u1, v1, u2, v2)) return;
  const double umin = std::min(u1, u2), umax = std::max(u1, u2);
  double k = std::floor(umin);
  if (umax - umin <= 0 || std::floor(umax) == k || umax == k + 1) {
    EMIT(e, x1, y1, x2, y2, u1 - k, u2 - k, v1, v2, r, g, b);
    return;
  }
  // Split at every whole u: each piece samples one copy of the texture.
  auto xat = [&](double u) { return float(x1 + (u - u1) / (double(u2) - u1) * (x2 - x1)); };
  for (; k < umax; k += 1) {
    const double a = std::max(umin, k), c = std::min(umax, k + 1);
    if (c <= a) continue;
    // Map the piece's u range back to x; with u falling (mirrored) the larger
    // u lies on the left.
    double ua = u1 <= u2 ? a : c, ub = u1 <= u2 ? c : a;
    EMIT(e, xat(ua), y1, xat(ub), y2, ua - k, ub - k, v1, v2, r, g, b);
  }
}

void SDLGL::FLUSH() {
  if (BATCH.empty() || !CTX || BATCHPAGE < 0) {
    BATCH.clear();
    return;
  }
  glBindTexture(GL_TEXTURE_2D, PAGES[BATCHPAGE].TEX);
  if (BATCHBLEND == BLEND_ADDITIVE)
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  else
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glVertexPointer(2, GL_FLOAT, sizeof(VERT), &BATCH[0].X);
  glTexCoordPointer(2, GL_FLOAT, sizeof(VERT), &BATCH[0].U);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(VERT), &BATCH[0].R);
  glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(BATCH.size()));
  CALLS++;
  BATCH.clear();
}

void SDLGL::ENDFRAME() {
  if (!CTX) return;
  FLUSH();
  LASTCALLS = CALLS;
  if (KEEP || !HARNESS.SCREENSHOT.empty()) {
    FRAME.W = FW;
    FRAME.H = FH;
    FRAME.RGBA.resize(size_t(FW) * FH * 4);
    std::vector<uint8_t> raw(FRAME.RGBA.size());
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, FW, FH, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
    // GL rows run bottom-up; images run top-down.
    for (int32_t y = 0; y < FH; y++)
      std::memcpy(&FRAME.RGBA[size_t(y) * FW * 4], &raw[size_t(FH - 1 - y) * FW * 4],
                  size_t(FW) * 4);
    for (size_t i = 3; i < FRAME.RGBA.size(); i += 4) FRAME.RGBA[i] = 255;
    HAVEFRAME = true;
  }
  SDL_GL_SwapWindow(WIN);
}

}  // namespace

BACKEND* MAKESDLBACKEND(int32_t w, int32_t h) { return new SDLGL(w, h); }

void SDLKEEPFRAMES(BACKEND* b, bool keep) {
  if (auto* s = dynamic_cast<SDLGL*>(b)) s->KEEP = keep;
}
