// The headless back-end. Its clock only moves when the program waits, it has
// no events of its own (scripted input is fed in by the event pump), and it
// draws quads in software with exactly the rules of the OpenGL path: nearest
// texel at each pixel centre, texel times tint, colour-key or additive blend,
// textures repeating horizontally.
#include "display/backend_headless.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>

#include "base/safefile.h"

namespace {

// Playing time of a sound file in milliseconds, or -1 when the file is
// neither a readable RIFF/WAVE nor an Ogg Vorbis file.
int64_t SOUNDLENGTHMS(const std::string& path) {
  std::string bytes, err;
  if (READFILESAFE(path, MAXSOUNDBYTES, bytes, err) != FR_OK) return -1;
  const std::vector<uint8_t> d(bytes.begin(), bytes.end());
  auto le32 = [&](size_t o) -> uint32_t {
    return d[o] | (d[o + 1] << 8) | (d[o + 2] << 16) | (uint32_t(d[o + 3]) << 24);
  };
  if (d.size() >= 12 && std::memcmp(d.data(), "RIFF", 4) == 0 &&
      std::memcmp(d.data() + 8, "WAVE", 4) == 0) {
    uint32_t byterate = 0;
    size_t o = 12;
    while (o + 8 <= d.size()) {
      uint32_t len = le32(o + 4);
      if (std::memcmp(&d[o], "fmt ", 4) == 0 && o + 20 <= d.size()) byterate = le32(o + 16);
      if (std::memcmp(&d[o], "data", 4) == 0) {
        if (byterate == 0) return -1;
        uint64_t avail = std::min<uint64_t>(len, d.size() - (o + 8));
        return static_cast<int64_t>(avail * 1000 / byterate);
      }
      o += 8 + len + (len & 1);
    }
    return -1;
  }
  if (d.size() >= 58 && std::memcmp(d.data(), "OggS", 4) == 0) {
    // The identification header (first page) gives the sample rate; the
    // granule position of the last page gives the number of samples.
    size_t segs = d[26];
    size_t p = 27 + segs;
    if (p + 16 > d.size() || d[p] != 1 || std::memcmp(&d[p + 1], "vorbis", 6) != 0) return -1;
    uint32_t rate = le32(p + 12);
    if (rate == 0) return -1;
    for (size_t o = d.size() - 4; o-- > 0;) {
      if (std::memcmp(&d[o], "OggS", 4) == 0 && o + 14 <= d.size()) {
        uint64_t g = 0;
        for (int i = 7; i >= 0; i--) g = (g << 8) | d[o + 6 + i];
        if (g == ~uint64_t(0)) continue;
        return static_cast<int64_t>(g * 1000 / rate);
      }
    }
    return -1;
  }
  return -1;
}

struct SOUND {
  std::string PATH;
  int64_t LENGTH = 0;
};

struct CHANNEL {
  int32_t HANDLE = 0;
  uint64_t START = 0;
  int64_t LENGTH = 0;  // total playing time; -1 = loops forever
  int32_t VOLUME = 128;
};

class HEADLESS : public BACKEND {
 public:
  HEADLESS(int32_t w, int32_t h) : W(w > 0 ? w : 1280), H(h > 0 ? h : 720) {}

  bool OPEN(int32_t& width, int32_t& height) override {
    width = W;
    height = H;
    BEGINFRAME();
    return true;
  }
  void CLOSE() override {}

  uint64_t TICKS() override { return CLOCK; }
  void IDLE(int32_t ms) override { CLOCK += static_cast<uint64_t>(std::max(ms, 1)); }

  bool POLLEVENT(BACKENDEVENT&) override { return false; }
  void MOUSESTATE(int32_t& x, int32_t& y, int32_t& buttons) override {
    x = MX;
    y = MY;
    buttons = 0;
  }
  void WARPMOUSE(int32_t x, int32_t y) override {
    MX = x;
    MY = y;
  }
  bool JOYSTATE(int32_t& x, int32_t& y, bool& b1, bool& b2) override {
    x = y = 128;
    b1 = b2 = false;
    return false;
  }

  int32_t UPLOADTEXTURE(const IMAGE& img) override {
    if (img.W <= 0 || img.H <= 0 || img.RGBA.size() < size_t(img.W) * img.H * 4) return 0;
    int32_t h = NEXTTEX++;
    TEX[h] = std::make_shared<const IMAGE>(img);
    return h;
  }
  // A quad already drawn keeps its texture: the frame it is in still shows it.
  void DELETETEXTURE(int32_t handle) override { TEX.erase(handle); }

  // The quads of a frame are only recorded as they come; the pixels are made
  // when someone reads the frame (a screenshot, a test). Most frames of a
  // headless run are never looked at, and rasterising them all would be most
  // of the run's work.
  void BEGINFRAME() override {
    WORK.clear();
    CONTINUED = false;
    QUADS = 0;
    CALLS = 0;
    RUNOPEN = false;
  }
  void SETBLEND(BLENDMODE mode) override {
    if (mode != BLEND) RUNOPEN = false;
    BLEND = mode;
  }
  void QUAD(int32_t tex, float x1, float y1, float x2, float y2, float u1, float v1, float u2,
            float v2, uint8_t r, uint8_t g, uint8_t b) override {
    QUADS++;
    if (!RUNOPEN) {
      CALLS++;
      RUNOPEN = true;
    }
    auto it = TEX.find(tex);
    if (it == TEX.end()) return;
    // Drawn on without a new frame begun: the presented frame goes on.
    if (CONTINUED) {
      WORK = SHOWN;
      CONTINUED = false;
    }
    WORK.push_back(DRAWN{it->second, x1, y1, x2, y2, u1, v1, u2, v2, r, g, b, BLEND});
  }
  void ENDFRAME() override {
    if (!CONTINUED) SHOWN.swap(WORK);
    CONTINUED = true;
    MADE = false;
    LASTQUADS = QUADS;
    LASTCALLS = CALLS;
    PRESENTED = true;
  }
  bool READFRAME(IMAGE& out) override {
    if (!PRESENTED) return false;
    if (!MADE) {
      RASTERISE(SHOWN, FRAME);
      MADE = true;
    }
    out = FRAME;
    return true;
  }
  int32_t DRAWCALLS() override { return LASTCALLS; }

  bool OPENAUDIO() override { return true; }
  void CLOSEAUDIO() override { CHANNELS.clear(); }
  int32_t LOADSOUND(const std::string& path) override {
    int64_t len = SOUNDLENGTHMS(path);
    if (len < 0) return 0;
    SOUNDS.push_back(SOUND{path, len});
    return static_cast<int32_t>(SOUNDS.size());
  }
  void PLAYSOUND(int32_t channel, int32_t handle, int32_t loops) override {
    if (handle < 1 || handle > static_cast<int32_t>(SOUNDS.size())) return;
    const SOUND& s = SOUNDS[handle - 1];
    CHANNEL& c = CHANNELS[channel];
    c.HANDLE = handle;
    c.START = CLOCK;
    c.LENGTH = loops < 0 ? -1 : s.LENGTH * (int64_t(loops) + 1);
    PLAYED.push_back(PLAYEDSOUND{channel, handle, loops, s.PATH, CLOCK});
  }
  void FREESOUND(int32_t handle) override {
    if (handle < 1 || handle > static_cast<int32_t>(SOUNDS.size())) return;
    // Channels playing a freed sound stop; its handle is never reused.
    for (auto& [ch, c] : CHANNELS)
      if (c.HANDLE == handle) c.HANDLE = 0;
    SOUNDS[handle - 1].LENGTH = 0;
  }
  // A halted channel keeps its volume, as a mixer channel does.
  void HALTSOUND(int32_t channel) override {
    auto it = CHANNELS.find(channel);
    if (it != CHANNELS.end()) it->second.HANDLE = 0;
  }
  bool SOUNDBUSY(int32_t channel) override {
    auto it = CHANNELS.find(channel);
    if (it == CHANNELS.end()) return false;
    const CHANNEL& c = it->second;
    if (c.HANDLE == 0) return false;
    if (c.LENGTH < 0) return true;
    // While the audio is paused its time stands still.
    const uint64_t now = PAUSED ? PAUSEDAT : CLOCK;
    return now < c.START + static_cast<uint64_t>(c.LENGTH);
  }
  void SOUNDVOLUME(int32_t channel, int32_t volume) override {
    CHANNELS[channel].VOLUME = std::clamp(volume, 0, 128);
  }
  void PAUSEAUDIO(bool paused) override {
    if (paused == PAUSED) return;
    if (paused) {
      PAUSEDAT = CLOCK;
    } else {
      // Every sound resumes where it stopped: its start moves by the pause.
      for (auto& [ch, c] : CHANNELS) c.START += CLOCK - PAUSEDAT;
    }
    PAUSED = paused;
  }

  // One textured quad as drawn: its texture, corners, texture corners,
  // colour and the blend mode in force.
  struct DRAWN {
    std::shared_ptr<const IMAGE> TEXTURE;
    float X1, Y1, X2, Y2, U1, V1, U2, V2;
    uint8_t R, G, B;
    BLENDMODE MODE;
  };
  void RASTERISE(const std::vector<DRAWN>& quads, IMAGE& out) const;
  static void DRAWQUAD(IMAGE& out, const DRAWN& q);

  int32_t W, H;
  uint64_t CLOCK = 0;
  int32_t MX = 0, MY = 0;
  std::map<int32_t, std::shared_ptr<const IMAGE>> TEX;
  int32_t NEXTTEX = 1;
  std::vector<DRAWN> WORK;   // the frame being drawn
  std::vector<DRAWN> SHOWN;  // the last presented frame
  IMAGE FRAME;               // its pixels, once made
  bool MADE = false;
  bool CONTINUED = false;  // no frame begun since the last one was presented: WORK is stale, SHOWN is drawn on
  bool PRESENTED = false;
  BLENDMODE BLEND = BLEND_ADDITIVE;
  bool RUNOPEN = false;
  int64_t QUADS = 0, LASTQUADS = 0;
  int32_t CALLS = 0, LASTCALLS = 0;
  std::vector<SOUND> SOUNDS;
  std::map<int32_t, CHANNEL> CHANNELS;
  std::vector<PLAYEDSOUND> PLAYED;
  bool PAUSED = false;
  uint64_t PAUSEDAT = 0;
};

// Texel coordinates are nudged by 1/256 texel: a pixel centre that falls
// exactly on a texel boundary then samples the texel after it, here and in the
// OpenGL back-end alike, whatever the rounding of either. No pixel centre of a
// glyph cell lies nearer than that to a boundary otherwise.
constexpr double TIE = -1.0 / 256;

// Pixel columns whose centres lie in [a, b): the same coverage rule as the
// rasteriser of the OpenGL path for edges on whole pixels.
void COVERED(float a, float b, int32_t limit, int32_t& first, int32_t& last) {
  first = static_cast<int32_t>(std::ceil(a - 0.5f));
  last = static_cast<int32_t>(std::ceil(b - 0.5f)) - 1;
  first = std::max(first, 0);
  last = std::min(last, limit - 1);
}

// A black opaque picture with every quad of the frame drawn on it in order.
void HEADLESS::RASTERISE(const std::vector<DRAWN>& quads, IMAGE& out) const {
  out.W = W;
  out.H = H;
  out.RGBA.assign(static_cast<size_t>(W) * H * 4, 0);
  for (size_t i = 3; i < out.RGBA.size(); i += 4) out.RGBA[i] = 255;
  for (const DRAWN& q : quads) DRAWQUAD(out, q);
}

void HEADLESS::DRAWQUAD(IMAGE& out, const DRAWN& q) {
  const IMAGE& t = *q.TEXTURE;
  const int32_t W = out.W, H = out.H;
  const BLENDMODE BLEND = q.MODE;
  const uint8_t r = q.R, g = q.G, b = q.B;
  float x1 = q.X1, y1 = q.Y1, x2 = q.X2, y2 = q.Y2, u1 = q.U1, v1 = q.V1, u2 = q.U2, v2 = q.V2;
  if (!ORDERQUAD(x1, y1, x2, y2, u1, v1, u2, v2)) return;
  int32_t cx0, cx1, ry0, ry1;
  COVERED(x1, x2, W, cx0, cx1);
  COVERED(y1, y2, H, ry0, ry1);
  if (cx0 > cx1 || ry0 > ry1) return;
  // Texel column of every covered pixel column (u repeats), texel row of
  // every covered pixel row (v is clamped to the texture).
  std::vector<int32_t> tx(cx1 - cx0 + 1);
  for (int32_t i = cx0; i <= cx1; i++) {
    double u = u1 + (i + 0.5 - x1) / (double(x2) - x1) * (double(u2) - u1);
    int64_t k = static_cast<int64_t>(std::floor(u * t.W - TIE));
    k %= t.W;
    if (k < 0) k += t.W;
    tx[i - cx0] = static_cast<int32_t>(k);
  }
  constexpr float INV = 1.0f / 255.0f;
  const float tr = r * INV * INV, tg = g * INV * INV, tb = b * INV * INV;
  for (int32_t j = ry0; j <= ry1; j++) {
    double v = v1 + (j + 0.5 - y1) / (double(y2) - y1) * (double(v2) - v1);
    int32_t ty = std::clamp(static_cast<int32_t>(std::floor(v * t.H - TIE)), 0, t.H - 1);
    const uint8_t* row = &t.RGBA[static_cast<size_t>(ty) * t.W * 4];
    uint8_t* dst = &out.RGBA[(static_cast<size_t>(j) * W + cx0) * 4];
    for (int32_t i = cx0; i <= cx1; i++, dst += 4) {
      const uint8_t* s = row + tx[i - cx0] * 4;
      if (s[3] == 0) continue;
      const float a = s[3] * INV;
      const float sr = s[0] * tr, sg = s[1] * tg, sb = s[2] * tb;
      float dr = dst[0] * INV, dg = dst[1] * INV, db = dst[2] * INV;
      if (BLEND == BLEND_ADDITIVE) {
        dr = std::min(1.0f, sr * a + dr);
        dg = std::min(1.0f, sg * a + dg);
        db = std::min(1.0f, sb * a + db);
      } else {
        dr = sr * a + dr * (1 - a);
        dg = sg * a + dg * (1 - a);
        db = sb * a + db * (1 - a);
      }
      dst[0] = static_cast<uint8_t>(dr * 255.0f + 0.5f);
      dst[1] = static_cast<uint8_t>(dg * 255.0f + 0.5f);
      dst[2] = static_cast<uint8_t>(db * 255.0f + 0.5f);
    }
  }
}

}  // namespace

BACKEND* MAKEHEADLESSBACKEND(int32_t w, int32_t h) { return new HEADLESS(w, h); }

bool HEADLESSAUDIOPAUSED(BACKEND* b) {
  auto* h = dynamic_cast<HEADLESS*>(b);
  return h && h->PAUSED;
}

int32_t HEADLESSVOLUME(BACKEND* b, int32_t channel) {
  auto* h = dynamic_cast<HEADLESS*>(b);
  if (!h) return -1;
  auto it = h->CHANNELS.find(channel);
  return it == h->CHANNELS.end() ? 128 : it->second.VOLUME;
}

const std::vector<PLAYEDSOUND>& HEADLESSPLAYED(BACKEND* b) {
  static const std::vector<PLAYEDSOUND> none;
  auto* h = dynamic_cast<HEADLESS*>(b);
  return h ? h->PLAYED : none;
}

int64_t HEADLESSQUADS(BACKEND* b) {
  auto* h = dynamic_cast<HEADLESS*>(b);
  return h ? h->LASTQUADS : 0;
}
