#include "display/backend_sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {
// Runs F with the process's standard error sent to /dev/null: the sound
// libraries below SDL print several lines of their own when no sound card
// exists, and the game reports the failure in one line instead.
template <typename F>
auto QUIETLY(F f) {
  fflush(stderr);
  const int saved = dup(2);
  const int null = open("/dev/null", O_WRONLY);
  if (saved >= 0 && null >= 0) dup2(null, 2);
  auto r = f();
  fflush(stderr);
  if (saved >= 0) {
    dup2(saved, 2);
    close(saved);
  }
  if (null >= 0) close(null);
  return r;
}

// True when the file begins like an Ogg stream or a RIFF/WAVE file.
// Files above this size are long music or ambience: decoding them takes
// longer than a frame.
constexpr uintmax_t LONGFILE = 256 * 1024;

bool SOUNDFILEHEADER(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  char h[12] = {};
  if (!f.read(h, sizeof h)) return false;
  return std::memcmp(h, "OggS", 4) == 0 ||
         (std::memcmp(h, "RIFF", 4) == 0 && std::memcmp(h + 8, "WAVE", 4) == 0);
}
}  // namespace

bool SDLAUDIO::OPEN() {
  if (OPENED) return true;
  WHY.clear();
  const bool ok = QUIETLY([this]() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      WHY = SDL_GetError();
      return false;
    }
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 512) != 0) {
      WHY = Mix_GetError();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    return true;
  });
  if (!ok) {
    if (WHY.empty()) WHY = "the audio device could not be opened";
    return false;
  }
  // Every decoder is set up here, before a second thread decodes.
  Mix_Init(MIX_INIT_OGG);
  Mix_AllocateChannels(106);
  OPENED = true;
  STOP = false;
  return true;
}

void SDLAUDIO::CLOSE() {
  if (WORKER.joinable()) {
    {
      std::lock_guard<std::mutex> g(LOCK);
      STOP = true;
    }
    CHANGED.notify_all();
    WORKER.join();
  }
  if (!OPENED) return;
  Mix_HaltChannel(-1);
  for (auto& s : SAMPLES)
    if (s->CHUNK) Mix_FreeChunk(s->CHUNK);
  SAMPLES.clear();
  QUEUE.clear();
  PREFETCHED.clear();
  WAITING.clear();
  URGENT = 0;
  PAUSED = false;
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  OPENED = false;
}

int32_t SDLAUDIO::QUEUESAMPLE(const std::string& path, bool first) {
  int32_t h;
  {
    std::lock_guard<std::mutex> g(LOCK);
    auto s = std::make_unique<SAMPLE>();
    s->PATH = path;
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    s->LONG = !ec && size > LONGFILE;
    SAMPLES.push_back(std::move(s));
    h = static_cast<int32_t>(SAMPLES.size());
    if (first) {
      QUEUE.push_front(h);
      URGENT++;
    } else {
      QUEUE.push_back(h);
    }
  }
  if (!WORKER.joinable()) WORKER = std::thread([this]() { WORKERLOOP(); });
  CHANGED.notify_all();
  return h;
}

int32_t SDLAUDIO::LOAD(const std::string& path) {
  if (!OPENED) return 0;
  for (auto it = PREFETCHED.begin(); it != PREFETCHED.end(); ++it)
    if (it->first == path) {
      const int32_t h = it->second;
      PREFETCHED.erase(it);
      return h;
    }
  if (!SOUNDFILEHEADER(path)) return 0;
  return QUEUESAMPLE(path, false);
}

void SDLAUDIO::PREFETCH(const std::string& path) {
  if (!OPENED || !SOUNDFILEHEADER(path)) return;
  for (const auto& p : PREFETCHED)
    if (p.first == path) return;
  PREFETCHED.push_back({path, QUEUESAMPLE(path, true)});
}

void SDLAUDIO::DECODE(SAMPLE& s) {
  // Decoding reads only the device format and its own stream's state, so the
  // background thread and a sample wanted at once can decode side by side.
  Mix_Chunk* c = Mix_LoadWAV(s.PATH.c_str());
  std::lock_guard<std::mutex> g(LOCK);
  s.CHUNK = c;
  s.STAGE = READY;
  // Channels waiting for this sample start now.
  for (auto it = WAITING.begin(); it != WAITING.end();) {
    if (SAMPLES[it->second.HANDLE - 1].get() != &s) {
      ++it;
      continue;
    }
    if (c && Mix_PlayChannel(it->first, c, it->second.LOOPS) >= 0 && PAUSED) Mix_Pause(it->first);
    it = WAITING.erase(it);
  }
  CHANGED.notify_all();
}

void SDLAUDIO::WORKERLOOP() {
  bool niced = false;
  for (;;) {
    SAMPLE* s = nullptr;
    {
      std::unique_lock<std::mutex> g(LOCK);
      CHANGED.wait(g, [this]() { return STOP || !QUEUE.empty(); });
      if (STOP) return;
      if (URGENT > 0) {
        URGENT--;
      } else if (!niced) {
        // Below the game in priority: the frames and a sample wanted at once come first.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
        niced = true;
      }
      s = SAMPLES[QUEUE.front() - 1].get();
      QUEUE.pop_front();
      s->STAGE = DECODING;
    }
    DECODE(*s);
  }
}

Mix_Chunk* SDLAUDIO::READYCHUNK(int32_t handle) {
  if (handle < 1) return nullptr;
  std::unique_lock<std::mutex> g(LOCK);
  if (handle > static_cast<int32_t>(SAMPLES.size())) return nullptr;
  SAMPLE& s = *SAMPLES[handle - 1];
  if (s.STAGE == QUEUED) {
    // Wanted now: take it from the queue and decode it in this thread.
    QUEUE.erase(std::remove(QUEUE.begin(), QUEUE.end(), handle), QUEUE.end());
    s.STAGE = DECODING;
    g.unlock();
    DECODE(s);
    g.lock();
  }
  CHANGED.wait(g, [&s]() { return s.STAGE != DECODING; });
  return s.STAGE == READY ? s.CHUNK : nullptr;
}

void SDLAUDIO::FREE(int32_t handle) {
  if (!OPENED || handle < 1 || handle > static_cast<int32_t>(SAMPLES.size())) return;
  {
    std::unique_lock<std::mutex> g(LOCK);
    for (auto it = WAITING.begin(); it != WAITING.end();)
      it = it->second.HANDLE == handle ? WAITING.erase(it) : std::next(it);
    SAMPLE& s = *SAMPLES[handle - 1];
    if (s.STAGE == QUEUED) {
      QUEUE.erase(std::remove(QUEUE.begin(), QUEUE.end(), handle), QUEUE.end());
      s.STAGE = FREED;
      return;
    }
    CHANGED.wait(g, [&s]() { return s.STAGE != DECODING; });
    if (s.STAGE != READY) return;
    s.STAGE = FREED;
  }
  // Freeing a chunk halts every channel that plays it.
  Mix_Chunk* c = SAMPLES[handle - 1]->CHUNK;
  SAMPLES[handle - 1]->CHUNK = nullptr;
  if (c) Mix_FreeChunk(c);
}

void SDLAUDIO::PLAY(int32_t channel, int32_t handle, int32_t loops) {
  if (!OPENED || handle < 1) return;
  {
    std::lock_guard<std::mutex> g(LOCK);
    if (handle > static_cast<int32_t>(SAMPLES.size())) return;
    WAITING.erase(channel);
    SAMPLE& s = *SAMPLES[handle - 1];
    if (s.LONG && (s.STAGE == QUEUED || s.STAGE == DECODING)) {
      // Next in line for the background thread; the channel starts it then.
      if (s.STAGE == QUEUED) {
        QUEUE.erase(std::remove(QUEUE.begin(), QUEUE.end(), handle), QUEUE.end());
        QUEUE.push_front(handle);
        URGENT++;
      }
      Mix_HaltChannel(channel);
      WAITING[channel] = WAITINGPLAY{handle, loops};
      return;
    }
  }
  if (Mix_Chunk* c = READYCHUNK(handle)) Mix_PlayChannel(channel, c, loops);
}

void SDLAUDIO::HALT(int32_t channel) {
  if (!OPENED) return;
  std::lock_guard<std::mutex> g(LOCK);
  WAITING.erase(channel);
  Mix_HaltChannel(channel);
}

bool SDLAUDIO::BUSY(int32_t channel) {
  if (!OPENED) return false;
  {
    std::lock_guard<std::mutex> g(LOCK);
    if (WAITING.count(channel)) return true;
  }
  return Mix_Playing(channel) != 0;
}

void SDLAUDIO::VOLUME(int32_t channel, int32_t volume) {
  if (OPENED) Mix_Volume(channel, std::clamp(volume, 0, 128));
}

void SDLAUDIO::PAUSE(bool paused) {
  if (!OPENED) return;
  std::lock_guard<std::mutex> g(LOCK);
  PAUSED = paused;
  if (paused)
    Mix_Pause(-1);
  else
    Mix_Resume(-1);
}

int32_t SDLAUDIO::PENDING() {
  std::lock_guard<std::mutex> g(LOCK);
  int32_t n = 0;
  for (auto& s : SAMPLES) n += s->STAGE == QUEUED || s->STAGE == DECODING;
  return n;
}
