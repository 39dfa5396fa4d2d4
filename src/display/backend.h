// The platform seam: everything the game needs from the machine below the
// emulated text screen. Two implementations exist: the SDL2/OpenGL/mixer one
// (the real game) and the headless one (virtual clock, scripted input,
// software rasteriser, recorded audio). Only back-end files include SDL or GL.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// An RGBA image, 8 bits per channel, row 0 at the top.
struct IMAGE {
  int32_t W = 0, H = 0;
  std::vector<uint8_t> RGBA;
};

// BE_MOUSEDOWN: a mouse button went down (SYM 1 left, 2 right); the held
// buttons themselves are read with MOUSESTATE.
enum BACKENDEVENTTYPE { BE_NONE = 0, BE_KEYDOWN, BE_KEYUP, BE_FOCUS, BE_QUIT, BE_MOUSEDOWN };

struct BACKENDEVENT {
  BACKENDEVENTTYPE TYPE = BE_NONE;
  int32_t SYM = 0;      // key symbol as an SDL 1.2 key code number
  int32_t UNICODE = 0;  // typed character 1..127 for key downs, 0 when none
  bool GAIN = false;    // BE_FOCUS: true when the window gained the focus
};

// Blend modes of the quad sink; the numbers are those of OPENGLMODE.
enum BLENDMODE { BLEND_COLORKEY = 1, BLEND_ADDITIVE = 2 };

class BACKEND {
 public:
  virtual ~BACKEND() = default;

  // Window (or virtual screen). Fills the pixel size chosen; false on failure.
  virtual bool OPEN(int32_t& width, int32_t& height) = 0;
  virtual void CLOSE() = 0;

  // Milliseconds since the back-end opened.
  virtual uint64_t TICKS() = 0;
  // Hand the processor back for about MS milliseconds (0 = yield). The
  // headless back-end advances its virtual clock by max(MS, 1) instead.
  virtual void IDLE(int32_t ms) = 0;

  // One pending event, if any.
  virtual bool POLLEVENT(BACKENDEVENT& ev) = 0;
  // Pointer position in window pixels and held buttons (bit 0 left, bit 1 right).
  virtual void MOUSESTATE(int32_t& x, int32_t& y, int32_t& buttons) = 0;
  virtual void WARPMOUSE(int32_t x, int32_t y) = 0;
  // First game controller, for a second local player: stick as 0..255 per
  // axis (128 = centre) and two buttons. False when no controller is connected.
  virtual bool JOYSTATE(int32_t& x, int32_t& y, bool& button1, bool& button2) = 0;

  // Quad sink. Textures are RGBA images whose alpha already holds the colour key.
  virtual int32_t UPLOADTEXTURE(const IMAGE& img) = 0;  // returns a handle > 0
  virtual void DELETETEXTURE(int32_t handle) = 0;
  virtual void BEGINFRAME() = 0;  // clear to black
  virtual void SETBLEND(BLENDMODE mode) = 0;
  // One textured quad tinted by (r, g, b). Texture coordinates are fractions of
  // the texture; u may run past 1 (the texture repeats horizontally).
  virtual void QUAD(int32_t tex, float x1, float y1, float x2, float y2, float u1, float v1,
                    float u2, float v2, uint8_t r, uint8_t g, uint8_t b) = 0;
  virtual void ENDFRAME() = 0;  // present the frame
  // The last presented frame as RGBA (W x H of the window).
  virtual bool READFRAME(IMAGE& out) = 0;
  // Number of draw calls issued for the last presented frame.
  virtual int32_t DRAWCALLS() = 0;

  // Audio channels. LOADSOUND returns a handle > 0 or 0 when the file is unusable.
  virtual bool OPENAUDIO() = 0;
  virtual void CLOSEAUDIO() = 0;
  virtual int32_t LOADSOUND(const std::string& path) = 0;
  virtual void PLAYSOUND(int32_t channel, int32_t handle, int32_t loops) = 0;
  virtual void HALTSOUND(int32_t channel) = 0;
  virtual bool SOUNDBUSY(int32_t channel) = 0;
  virtual void SOUNDVOLUME(int32_t channel, int32_t volume) = 0;  // 0..128
  virtual void PAUSEAUDIO(bool paused) = 0;
  // Why OPENAUDIO failed (empty when it did not).
  virtual std::string AUDIOERROR() { return std::string(); }
  // Releases a loaded sound; channels playing it stop.
  virtual void FREESOUND(int32_t handle) {}
  // Loaded sounds whose decoding has not finished yet (a back-end may decode
  // in the background; a sound is always complete when it starts playing).
  virtual int32_t SOUNDSPENDING() { return 0; }
};

// Puts a quad's corners in top-left / bottom-right order, swapping its texture
// coordinates along (a mirrored quad arrives with x2 < x1). False when the quad
// covers no area. Both back-ends use it so they draw such quads alike.
inline bool ORDERQUAD(float& x1, float& y1, float& x2, float& y2, float& u1, float& v1,
                      float& u2, float& v2) {
  if (x2 < x1) {
    std::swap(x1, x2);
    std::swap(u1, u2);
  }
  if (y2 < y1) {
    std::swap(y1, y2);
    std::swap(v1, v2);
  }
  return x2 > x1 && y2 > y1;
}

// The back-end in use; set once at start-up.
extern BACKEND* THEBACKEND;

// The largest sound file the back-ends read.
constexpr size_t MAXSOUNDBYTES = 64u << 20;

// Image files (PNG and the ".nma" per-map glyph images) through the image library.
bool LOADIMAGEFILE(const std::string& path, IMAGE& out);
bool SAVEPNGFILE(const std::string& path, const IMAGE& img);
