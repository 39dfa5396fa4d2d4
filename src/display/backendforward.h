// A back-end that hands every call to another one. Tools and benchmarks that
// watch or steer the game from below (a bot's keys, a planner that skips the
// drawing, a clock on the start-up) derive from it and override only the calls
// they change.
#pragma once
#include <string>

#include "display/backend.h"

class FORWARDBACKEND : public BACKEND {
 public:
  explicit FORWARDBACKEND(BACKEND* inner) : IN(inner) {}
  bool OPEN(int32_t& w, int32_t& h) override { return IN->OPEN(w, h); }
  void CLOSE() override { IN->CLOSE(); }
  uint64_t TICKS() override { return IN->TICKS(); }
  void IDLE(int32_t ms) override { IN->IDLE(ms); }
  bool POLLEVENT(BACKENDEVENT& ev) override { return IN->POLLEVENT(ev); }
  void MOUSESTATE(int32_t& x, int32_t& y, int32_t& b) override { IN->MOUSESTATE(x, y, b); }
  void WARPMOUSE(int32_t x, int32_t y) override { IN->WARPMOUSE(x, y); }
  bool JOYSTATE(int32_t& x, int32_t& y, bool& b1, bool& b2) override { return IN->JOYSTATE(x, y, b1, b2); }
  int32_t UPLOADTEXTURE(const IMAGE& img) override { return IN->UPLOADTEXTURE(img); }
  void DELETETEXTURE(int32_t h) override { IN->DELETETEXTURE(h); }
  void BEGINFRAME() override { IN->BEGINFRAME(); }
  void SETBLEND(BLENDMODE m) override { IN->SETBLEND(m); }
  void QUAD(int32_t tex, float x1, float y1, float x2, float y2, float u1, float v1, float u2, float v2,
            uint8_t r, uint8_t g, uint8_t b) override {
    IN->QUAD(tex, x1, y1, x2, y2, u1, v1, u2, v2, r, g, b);
  }
  void ENDFRAME() override { IN->ENDFRAME(); }
  bool READFRAME(IMAGE& out) override { return IN->READFRAME(out); }
  int32_t DRAWCALLS() override { return IN->DRAWCALLS(); }
  bool OPENAUDIO() override { return IN->OPENAUDIO(); }
  void CLOSEAUDIO() override { IN->CLOSEAUDIO(); }
  std::string AUDIOERROR() override { return IN->AUDIOERROR(); }
  int32_t LOADSOUND(const std::string& p) override { return IN->LOADSOUND(p); }
  void FREESOUND(int32_t h) override { IN->FREESOUND(h); }
  int32_t SOUNDSPENDING() override { return IN->SOUNDSPENDING(); }
  void PLAYSOUND(int32_t c, int32_t h, int32_t l) override { IN->PLAYSOUND(c, h, l); }
  void HALTSOUND(int32_t c) override { IN->HALTSOUND(c); }
  bool SOUNDBUSY(int32_t c) override { return IN->SOUNDBUSY(c); }
  void SOUNDVOLUME(int32_t c, int32_t v) override { IN->SOUNDVOLUME(c, v); }
  void PAUSEAUDIO(bool p) override { IN->PAUSEAUDIO(p); }

 protected:
  BACKEND* IN;
};
