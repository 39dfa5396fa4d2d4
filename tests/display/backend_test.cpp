// The two back-ends: the same screen drawn by the OpenGL back-end (under a
// virtual X server) and by the headless rasteriser must match, the GL draw
// calls must not grow with the cells drawn, and the headless audio records.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "display/backend_sdl.h"
#include "display/glyphs.h"
#include "display_fixture.h"

using displaytest::MAKEGLYPHSETS;
using displaytest::SOLID;

namespace {

// A screen that uses every drawing path: all colour pairs, a sheet tile,
// mirror, a scroll that wraps, the 3-D shapes, zoom, saturation, brightness
// and both blend modes.
void DRAWSCENE() {
  IMAGE sheet = SOLID(128, 64, 255, 128, 0);
  for (int y = 0; y < 64; y++)
    for (int x = 64; x < 128; x++) sheet.RGBA[(size_t(y) * 128 + x) * 4 + 1] = 0;
  TEXTURE[201] = THEBACKEND->UPLOADTEXTURE(sheet);
  TEXINFO[201] = GLYPHINFO(128, 64);
  STARTUPDATESCREEN();
  SWITCHTOOPENGLCOLORKEYMODE();
  for (int f = 0; f < 16; f++)
    for (int b = 0; b < 16; b++)
      RENDERCHARCODE(1 + b, 1 + f, 'A' + f, static_cast<BYTE>(b * 16 + f), 100, 100, 0, -1, -1,
                     100, true);
  for (int s = 0; s < 8; s++)
    RENDERCHARCODE(20 + s, 2, 256, 0x0C, static_cast<BYTE>(s * 14), static_cast<BYTE>(60 + s * 20),
                   (s % 2) * EFFECT3D_RIGHT + (s / 2 % 2) * EFFECT3D_TOP, -1, -1, 100, true);
  RENDERCHARCODE(20, 4, 'M', 0x0E, 100, 100, EFFECT3D_MIRROR, -1, -1, 100, true);
  SCROLLEFFECT = 37;
  RENDERCHARCODE(22, 4, 'S', 0x0B, 100, 100, EFFECT3D_SCROLL, -1, -1, 100, true);
  RENDERCHARCODE(24, 4, 'S', 0x0B, 100, 100, EFFECT3D_SCROLL + EFFECT3D_MIRROR, -1, -1, 100,
                 true);
  SCROLLEFFECT = 0;
  RENDERCHARCODE(26, 4, 201, 0x0F, 100, 100, 0, 2, 1, 100, true);
  RENDERCHARCODE(28, 4, 'Z', 0x0A, 100, 100, EFFECT3D_CORNER, -1, -1, 100, true);
  RENDERCHARCODE(30, 6, 256, 0x0D, 100, 100, EFFECT3D_BOTH, -1, -1, 115, true);
  SWITCHTOOPENGLBLENDINGMODE();
  RENDERSTRING(40, 20, "Additive text", WHITE, RED, 2, 100, 100);
  for (int x = 20; x < 40; x++) RENDERCHARCODE(x, 10, 256, 0x09, 50, 80, 0, -1, -1, 100, true);
  for (int x = 20; x < 40; x++) RENDERCHARCODE(x, 10, 'W', 0x0C, 100, 100, 0, -1, -1, 100, true);
  ENDUPDATESCREEN();
}

// Full screens of cells in one blend mode: the draw calls they take.
int32_t CALLSFORCELLS(int cols, int rows) {
  TEXTMODECUSTOM(static_cast<BYTE>(cols), static_cast<BYTE>(rows));
  STARTUPDATESCREEN();
  for (int y = 1; y <= rows; y++)
    for (int x = 1; x <= cols; x++)
      RENDERCHARCODE(x, y, 'A' + (x + y) % 26, 0x1E, 100, 100, (x % 3 == 0) ? 3 : 0, -1, -1,
                     100, false);
  ENDUPDATESCREEN();
  TEXTMODE80X25();
  return THEBACKEND->DRAWCALLS();
}

std::filesystem::path SCRATCH(const std::string& tag) {
  auto d = std::filesystem::temp_directory_path() /
           ("ashen_backend_" + std::to_string(getpid()) + "_" + tag);
  std::filesystem::remove_all(d);
  std::filesystem::create_directories(d);
  return d;
}

void SAVEFRAME(const std::string& out) {
  IMAGE f;
  ASSERT_TRUE(THEBACKEND->READFRAME(f));
  ASSERT_TRUE(SAVEPNGFILE(out, f));
}

// Every glyph of the game's own modern set, sheet tiles and zoom included.
void DRAWALLGLYPHS() {
  STARTUPDATESCREEN();
  SWITCHTOOPENGLCOLORKEYMODE();
  for (int i = 0; i < MAX_TEXTURES; i++)
    RENDERCHARCODE(1 + (i % 40) * 2, 1 + (i / 40) * 2, LOCHAR + i,
                   static_cast<BYTE>(16 * (i / 7 % 8) + 1 + i % 15), 100, 100, 0, 2, 2,
                   i % 3 == 0 ? 115 : 100, true);
  SWITCHTOOPENGLBLENDINGMODE();
  for (int i = 0; i < 40; i++)
    RENDERCHARCODE(1 + i * 2, 14, 176 + i, 0x0E, 80, 120, EFFECT3D_BOTH, -1, -1, 100, true);
  ENDUPDATESCREEN();
}

// Renders the frames of the comparison with BACKEND into OUT + ".scene.png",
// ".map.png" and ".modern.png", and the draw-call figures into OUT + ".calls".
void RENDERWITH(BACKEND* backend, const std::filesystem::path& data, const std::string& out) {
  std::filesystem::current_path(data);
  MODERN_VISUALS = 0;
  IGNORE_BATTR = 0;
  OPENGLMODE = MODE_COLORKEY;
  THEBACKEND = backend;
  SDLKEEPFRAMES(backend, true);
  INITVIDEO();
  TEXTMODE80X25();
  ASSERT_TRUE(LOADMAINTEXTURES(-1)) << GLYPHLOADERROR;
  DRAWSCENE();
  SAVEFRAME(out + ".scene.png");
  std::ofstream calls(out + ".calls");
  calls << CALLSFORCELLS(10, 10) << " " << CALLSFORCELLS(160, 100) << "\n";

  // Map glyphs replace and free textures repeatedly; the atlas must reuse
  // its room and keep every remaining glyph intact.
  auto mapdir = data / "CAMPAIGN" / "main" / "GFX_MAPS" / "7";
  std::filesystem::create_directories(mapdir);
  ASSERT_TRUE(SAVEPNGFILE((mapdir / "150.nma").string(), SOLID(40, 40, 0, 200, 90)));
  ASSERT_TRUE(SAVEPNGFILE((mapdir / "160.png").string(), SOLID(64, 128, 200, 0, 90)));
  for (int i = 0; i < 3; i++) ASSERT_TRUE(LOADMAINTEXTURES(7));
  DRAWSCENE();
  STARTUPDATESCREEN();
  RENDERTEXTSCREEN();
  RENDERCHARCODE(60, 3, 150, 0x0F, 100, 100, 0, -1, -1, 100, true);
  RENDERCHARCODE(62, 3, 160, 0x0F, 100, 100, 0, 1, 2, 100, true);
  ENDUPDATESCREEN();
  SAVEFRAME(out + ".map.png");

  std::filesystem::current_path(ASHEN_SOURCE_DATA);
  MODERN_VISUALS = 1;
  IGNORE_BATTR = 1;
  ASSERT_TRUE(LOADMAINTEXTURES(-1)) << GLYPHLOADERROR;
  DRAWALLGLYPHS();
  SAVEFRAME(out + ".modern.png");
  MODERN_VISUALS = 0;
  IGNORE_BATTR = 0;
}

// Key events pushed into the window's queue come out as SDL 1.2 key codes
// with the typed character; window-focus events are skipped.
BACKENDEVENT NEXTEVENT(BACKEND* b) {
  BACKENDEVENT ev;
  // A poll may stop at the end of one poll cycle: try a few times.
  for (int tries = 0; tries < 4; tries++)
    while (b->POLLEVENT(ev))
      if (ev.TYPE != BE_FOCUS) return ev;
  return BACKENDEVENT();
}

void PUSHKEY(Uint32 type, SDL_Keycode sym, Uint16 mod, bool repeat = false) {
  SDL_Event e{};
  e.type = type;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym.sym = sym;
  e.key.keysym.mod = mod;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
}

void PUSHTEXT(const char* text) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  std::strncpy(e.text.text, text, sizeof e.text.text - 1);
  ASSERT_EQ(SDL_PushEvent(&e), 1);
}

void CHECKKEYEVENTS(BACKEND* b) {
  BACKENDEVENT ev;
  for (int tries = 0; tries < 4; tries++)
    while (b->POLLEVENT(ev)) {
    }
  PUSHKEY(SDL_KEYDOWN, 'a', KMOD_LSHIFT);
  ev = NEXTEVENT(b);
  EXPECT_EQ(ev.TYPE, BE_KEYDOWN);
  EXPECT_EQ(ev.SYM, 'a');
  EXPECT_EQ(ev.UNICODE, 'A');
  PUSHKEY(SDL_KEYDOWN, '1', KMOD_RSHIFT);
  EXPECT_EQ(NEXTEVENT(b).UNICODE, '!');
  // The layout's text for the key wins over the computed character.
  PUSHKEY(SDL_KEYDOWN, 'q', KMOD_NONE);
  PUSHTEXT("a");
  ev = NEXTEVENT(b);
  EXPECT_EQ(ev.SYM, 'q');
  EXPECT_EQ(ev.UNICODE, 'a');
  // Keys that type nothing leave following text alone; text without a key
  // before it is dropped.
  PUSHKEY(SDL_KEYDOWN, SDLK_UP, KMOD_NONE);
  PUSHTEXT("x");
  PUSHKEY(SDL_KEYDOWN, SDLK_RETURN, KMOD_NONE);
  ev = NEXTEVENT(b);
  EXPECT_EQ(ev.SYM, 273);
  EXPECT_EQ(ev.UNICODE, 0);
  ev = NEXTEVENT(b);
  EXPECT_EQ(ev.SYM, 13);
  EXPECT_EQ(ev.UNICODE, 13);
  // Held keys do not repeat.
  PUSHKEY(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_NONE, true);
  PUSHKEY(SDL_KEYUP, SDLK_ESCAPE, KMOD_NONE);
  ev = NEXTEVENT(b);
  EXPECT_EQ(ev.TYPE, BE_KEYUP);
  EXPECT_EQ(ev.SYM, 27);
  SDL_Event f{};
  f.type = SDL_WINDOWEVENT;
  f.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  ASSERT_EQ(SDL_PushEvent(&f), 1);
  bool lost = false;
  for (int tries = 0; tries < 4; tries++)
    while (b->POLLEVENT(ev))
      if (ev.TYPE == BE_FOCUS && !ev.GAIN) lost = true;
  EXPECT_TRUE(lost);
}

// The child side: runs only when re-executed with ASHEN_GL_OUTPUT set.
TEST(GLChild, RenderScene) {
  const char* out = std::getenv("ASHEN_GL_OUTPUT");
  if (!out) GTEST_SKIP() << "runs only inside the GL comparison";
  auto data = SCRATCH("glchild");
  MAKEGLYPHSETS(data);
  BACKEND* gl = MAKESDLBACKEND(1280, 720);
  RENDERWITH(gl, data, out);
  CHECKKEYEVENTS(gl);
  DONEVIDEO();
  delete gl;
  THEBACKEND = nullptr;
  std::filesystem::remove_all(data);
}

bool HAVEPROGRAM(const char* name) {
  std::string cmd = std::string("command -v ") + name + " >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

bool CLOSE(const IMAGE& a, size_t i, const IMAGE& b, size_t j) {
  for (int c = 0; c < 3; c++)
    if (std::abs(int(a.RGBA[i + c]) - int(b.RGBA[j + c])) > 3) return false;
  return true;
}

// Pixels of A that match no pixel of B within one pixel of the same place.
// Where a texel boundary falls exactly on a pixel centre, GL and the software
// rasteriser may pick neighbouring texels; a wrong colour, tile or position
// still shows up.
int64_t UNMATCHED(const IMAGE& a, const IMAGE& b) {
  int64_t n = 0;
  for (int32_t y = 0; y < a.H; y++)
    for (int32_t x = 0; x < a.W; x++) {
      const size_t i = (size_t(y) * a.W + x) * 4;
      bool found = false;
      for (int dy = -1; dy <= 1 && !found; dy++)
        for (int dx = -1; dx <= 1 && !found; dx++) {
          int32_t xx = x + dx, yy = y + dy;
          if (xx < 0 || yy < 0 || xx >= b.W || yy >= b.H) continue;
          found = CLOSE(a, i, b, (size_t(yy) * b.W + xx) * 4);
        }
      if (!found) n++;
    }
  return n;
}

// Pixels that differ by more than 3 in any channel at the same place.
int64_t DIFFERING(const IMAGE& a, const IMAGE& b) {
  int64_t n = 0;
  for (size_t i = 0; i < a.RGBA.size() && i < b.RGBA.size(); i += 4)
    if (!CLOSE(a, i, b, i)) n++;
  return n;
}

int64_t LIT(const IMAGE& a) {
  int64_t n = 0;
  for (size_t i = 0; i < a.RGBA.size(); i += 4)
    if (a.RGBA[i] || a.RGBA[i + 1] || a.RGBA[i + 2]) n++;
  return n;
}

TEST(Backends, OpenGLDrawsWhatTheHeadlessRasteriserDraws) {
  const bool xvfb = HAVEPROGRAM("xvfb-run");
  const char* display = std::getenv("DISPLAY");
  if (!xvfb && !(display && *display)) GTEST_SKIP() << "neither xvfb-run nor a display";
  auto dir = SCRATCH("compare");
  const std::string gl = (dir / "gl").string(), hl = (dir / "headless").string();
  const auto oldcwd = std::filesystem::current_path();

  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(n, 0);
  self[n] = 0;
  std::string cmd = "ASHEN_GL_OUTPUT='" + gl + "' ";
  if (xvfb) cmd += "xvfb-run -a -s '-screen 0 1280x720x24' ";
  cmd += std::string("'") + self + "' --gtest_filter=GLChild.RenderScene > '" +
         (dir / "child.log").string() + "' 2>&1";
  int rc = std::system(cmd.c_str());
  std::ifstream logf(dir / "child.log");
  std::string log((std::istreambuf_iterator<char>(logf)), std::istreambuf_iterator<char>());
  ASSERT_EQ(rc, 0) << log;

  auto data = SCRATCH("headless");
  MAKEGLYPHSETS(data);
  BACKEND* headless = MAKEHEADLESSBACKEND(1280, 720);
  RENDERWITH(headless, data, hl);
  DONEVIDEO();
  delete headless;
  THEBACKEND = nullptr;
  std::filesystem::current_path(oldcwd);
  std::filesystem::remove_all(data);

  for (const char* frame : {".scene.png", ".map.png", ".modern.png"}) {
    SCOPED_TRACE(frame);
    IMAGE a, b;
    ASSERT_TRUE(LOADIMAGEFILE(gl + frame, a)) << log;
    ASSERT_TRUE(LOADIMAGEFILE(hl + frame, b));
    ASSERT_EQ(a.W, b.W);
    ASSERT_EQ(a.H, b.H);
    EXPECT_GT(LIT(b), 20000);  // the frame really shows something
    EXPECT_LE(DIFFERING(a, b), int64_t(a.W) * a.H / 2000) << "GL frame " << gl << frame;
    EXPECT_LE(UNMATCHED(a, b), 8) << "GL frame " << gl << frame;
    EXPECT_LE(UNMATCHED(b, a), 8) << "GL frame " << gl << frame;
  }

  std::ifstream calls(gl + ".calls");
  int32_t few = 0, many = 0;
  calls >> few >> many;
  EXPECT_GE(few, 1);
  EXPECT_EQ(few, many);
  if (!HasFailure()) std::filesystem::remove_all(dir);
}

// The game itself, started twice on the same input: once headless, once
// through OpenGL under a virtual X server; both screenshots must agree.
TEST(Backends, GameFramesAgreeBetweenBackEnds) {
  if (!HAVEPROGRAM("xvfb-run")) GTEST_SKIP() << "xvfb-run is not installed";
  auto dir = SCRATCH("game");
  std::ofstream(dir / "input.txt") << "5 down Return\n6 up Return\n";
  auto run = [&](const std::string& tag, bool headless) {
    std::filesystem::create_directories(dir / ("user_" + tag));
    std::string cmd = headless ? "" : "xvfb-run -a -s '-screen 0 1280x720x24' ";
    cmd += std::string("'") + ASHEN_BINARY + "'" + (headless ? " --headless" : "") +
           " --frames 30 --size 1280x720 --seed 3 --data '" + ASHEN_SOURCE_DATA +
           "' --user-dir '" + (dir / ("user_" + tag)).string() + "' --input '" +
           (dir / "input.txt").string() + "' --screenshot '" + (dir / (tag + ".png")).string() +
           "' NOSOUND > '" + (dir / (tag + ".log")).string() + "' 2>&1";
    return std::system(cmd.c_str());
  };
  ASSERT_EQ(run("headless", true), 0);
  ASSERT_EQ(run("gl", false), 0);
  IMAGE a, b;
  ASSERT_TRUE(LOADIMAGEFILE((dir / "gl.png").string(), a));
  ASSERT_TRUE(LOADIMAGEFILE((dir / "headless.png").string(), b));
  ASSERT_EQ(a.W, 1280);
  ASSERT_EQ(b.W, 1280);
  ASSERT_EQ(a.H, b.H);
  EXPECT_GT(LIT(b), 5000);
  EXPECT_LE(DIFFERING(a, b), int64_t(a.W) * a.H / 2000);
  EXPECT_LE(UNMATCHED(a, b), 8);
  EXPECT_LE(UNMATCHED(b, a), 8);
  if (!HasFailure()) std::filesystem::remove_all(dir);
}

TEST(Backends, HeadlessClockAudioAndFrames) {
  BACKEND* hl = MAKEHEADLESSBACKEND(0, 0);
  int32_t w = 0, h = 0;
  ASSERT_TRUE(hl->OPEN(w, h));
  EXPECT_EQ(w, 1280);
  EXPECT_EQ(h, 720);
  IMAGE f;
  EXPECT_FALSE(hl->READFRAME(f));  // nothing presented yet
  uint64_t t = hl->TICKS();
  hl->IDLE(0);
  hl->IDLE(5);
  EXPECT_EQ(hl->TICKS(), t + 6);

  // A one-second mono 8 kHz 16-bit WAV file.
  auto dir = SCRATCH("audio");
  const std::string wav = (dir / "beep.wav").string();
  {
    std::ofstream o(wav, std::ios::binary);
    auto u32 = [&](uint32_t v) { o.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { o.write(reinterpret_cast<const char*>(&v), 2); };
    o.write("RIFF", 4);
    u32(36 + 16000);
    o.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    o.write("data", 4);
    u32(16000);
    std::string zeros(16000, '\0');
    o.write(zeros.data(), zeros.size());
  }
  std::ofstream((dir / "junk.wav").string()) << "not a sound";
  // An Ogg Vorbis file reduced to what decides its length: the sample rate
  // of the identification header and the granule position of the last page.
  const std::string ogg = (dir / "voice.ogg").string();
  {
    std::string page1("OggS\0\2", 6);
    page1 += std::string(8, '\0') + std::string(12, '\0');  // granule, serial, seq, crc
    page1 += std::string("\1\x1e", 2);                       // one segment of 30 bytes
    std::string id("\1vorbis", 7);
    id += std::string(4, '\0') + "\1" + std::string("\x40\x1f\0\0", 4);  // mono, 8000 Hz
    id += std::string(30 - id.size(), '\0');
    std::string last("OggS\0\4", 6);
    last += std::string("\x80\x3e\0\0\0\0\0\0", 8);  // 16000 samples
    last += std::string(13, '\0');
    std::ofstream(ogg, std::ios::binary) << page1 << id << last;
  }
  ASSERT_TRUE(hl->OPENAUDIO());
  EXPECT_EQ(hl->LOADSOUND((dir / "junk.wav").string()), 0);
  EXPECT_EQ(hl->LOADSOUND((dir / "missing.ogg").string()), 0);
  // A pipe or an endless device in place of a sound is no sound (and no wait).
  ASSERT_EQ(mkfifo((dir / "fifo.wav").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "zero.ogg");
  EXPECT_EQ(hl->LOADSOUND((dir / "fifo.wav").string()), 0);
  EXPECT_EQ(hl->LOADSOUND((dir / "zero.ogg").string()), 0);
  int32_t s = hl->LOADSOUND(wav);
  ASSERT_GT(s, 0);
  hl->PLAYSOUND(7, s, 1);  // plays twice: two seconds
  EXPECT_TRUE(hl->SOUNDBUSY(7));
  EXPECT_FALSE(hl->SOUNDBUSY(8));
  hl->IDLE(1500);
  EXPECT_TRUE(hl->SOUNDBUSY(7));
  // Pausing the audio stops the sound's time.
  hl->PAUSEAUDIO(true);
  hl->IDLE(5000);
  EXPECT_TRUE(hl->SOUNDBUSY(7));
  hl->PAUSEAUDIO(false);
  EXPECT_TRUE(hl->SOUNDBUSY(7));
  hl->IDLE(600);
  EXPECT_FALSE(hl->SOUNDBUSY(7));
  hl->SOUNDVOLUME(8, 64);
  EXPECT_FALSE(hl->SOUNDBUSY(8));
  int32_t v = hl->LOADSOUND(ogg);
  ASSERT_GT(v, 0);
  hl->PLAYSOUND(3, v, 0);
  hl->IDLE(1990);
  EXPECT_TRUE(hl->SOUNDBUSY(3));
  hl->IDLE(20);
  EXPECT_FALSE(hl->SOUNDBUSY(3));
  hl->PLAYSOUND(9, s, -1);
  hl->IDLE(100000);
  EXPECT_TRUE(hl->SOUNDBUSY(9));
  hl->HALTSOUND(9);
  EXPECT_FALSE(hl->SOUNDBUSY(9));
  const auto& played = HEADLESSPLAYED(hl);
  ASSERT_EQ(played.size(), 3u);
  EXPECT_EQ(played[0].CHANNEL, 7);
  EXPECT_EQ(played[0].PATH, wav);
  EXPECT_EQ(played[1].PATH, ogg);
  EXPECT_EQ(played[2].LOOPS, -1);

  // Additive blending clamps at white; colour-key blending replaces.
  IMAGE white = SOLID(2, 2, 200, 200, 200);
  int32_t tex = hl->UPLOADTEXTURE(white);
  hl->BEGINFRAME();
  hl->SETBLEND(BLEND_ADDITIVE);
  hl->QUAD(tex, 0, 0, 4, 4, 0, 0, 1, 1, 255, 255, 255);
  hl->QUAD(tex, 0, 0, 2, 2, 0, 0, 1, 1, 255, 128, 0);
  hl->SETBLEND(BLEND_COLORKEY);
  hl->QUAD(tex, 2, 2, 4, 4, 0, 0, 1, 1, 0, 0, 255);
  hl->ENDFRAME();
  ASSERT_TRUE(hl->READFRAME(f));
  EXPECT_EQ(f.RGBA[0], 255);
  EXPECT_EQ(f.RGBA[1], 255);  // 200 + 100 clamped
  EXPECT_EQ(f.RGBA[2], 200);
  size_t p33 = (size_t(3) * 1280 + 3) * 4;
  EXPECT_EQ(f.RGBA[p33], 0);
  EXPECT_EQ(f.RGBA[p33 + 2], 200);
  EXPECT_EQ(hl->DRAWCALLS(), 2);
  EXPECT_EQ(HEADLESSQUADS(hl), 3);
  hl->CLOSE();
  delete hl;
  std::filesystem::remove_all(dir);
}

}  // namespace
