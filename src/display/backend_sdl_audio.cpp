#include "display/backend_sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#ifdef ASHEN_HAVE_VORBISFILE
#include <vorbis/vorbisfile.h>
#endif
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "base/safefile.h"

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

// Converts 16-bit samples of RATE Hz and CHANNELS channels to the device
// format (22050 Hz, signed 16-bit little-endian, stereo); appends to OUT.
bool TODEVICEFORMAT(const std::vector<uint8_t>& in, int rate, int channels,
                    std::vector<uint8_t>& out) {
  SDL_AudioStream* st = SDL_NewAudioStream(AUDIO_S16LSB, static_cast<Uint8>(channels), rate,
                                           AUDIO_S16LSB, 2, 22050);
  if (!st) return false;
  bool ok = SDL_AudioStreamPut(st, in.data(), static_cast<int>(in.size())) == 0 &&
            SDL_AudioStreamFlush(st) == 0;
  while (ok) {
    const int avail = SDL_AudioStreamAvailable(st);
    if (avail <= 0) break;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(avail));
    const int got = SDL_AudioStreamGet(st, out.data() + at, avail);
    if (got < 0) ok = false;
    out.resize(at + static_cast<size_t>(std::max(got, 0)));
    if (got <= 0) break;
  }
  SDL_FreeAudioStream(st);
  return ok;
}

// No sound file of the game is larger than this, read or decoded: a broken
// or hostile file cannot cost more memory than that.
constexpr size_t MAXSOUNDFILEBYTES = 64u << 20;
constexpr size_t MAXDECODEDBYTES = 128u << 20;

#ifdef ASHEN_HAVE_VORBISFILE
// Reading an Ogg stream from a file already in memory.
struct MEMORYOGG {
  const std::string* data;
  size_t pos;
};
size_t memRead(void* ptr, size_t size, size_t n, void* src) {
  MEMORYOGG* m = static_cast<MEMORYOGG*>(src);
  const size_t want = size * n, left = m->data->size() - m->pos, got = std::min(want, left);
  std::memcpy(ptr, m->data->data() + m->pos, got);
  m->pos += got;
  return size ? got / size : 0;
}
int memSeek(void* src, ogg_int64_t off, int whence) {
  MEMORYOGG* m = static_cast<MEMORYOGG*>(src);
  const ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(m->pos)
                                                                       : static_cast<ogg_int64_t>(m->data->size());
  if (base + off < 0 || base + off > static_cast<ogg_int64_t>(m->data->size())) return -1;
  m->pos = static_cast<size_t>(base + off);
  return 0;
}
long memTell(void* src) { return static_cast<long>(static_cast<MEMORYOGG*>(src)->pos); }

// An Ogg Vorbis file (its bytes in DATA) as 16-bit little-endian samples.
bool DECODEOGG(const std::string& data, std::vector<uint8_t>& pcm, int& rate, int& channels) {
  OggVorbis_File vf;
  MEMORYOGG src{&data, 0};
  const ov_callbacks cb = {memRead, memSeek, nullptr, memTell};
  if (ov_open_callbacks(&src, &vf, nullptr, 0, cb) != 0) return false;
  const vorbis_info* vi = ov_info(&vf, -1);
  if (!vi || vi->channels < 1 || vi->channels > 8) {
    ov_clear(&vf);
    return false;
  }
  rate = static_cast<int>(vi->rate);
  channels = vi->channels;
  const ogg_int64_t total = ov_pcm_total(&vf, -1);
  if (total > 0) pcm.reserve(static_cast<size_t>(total) * 2 * channels);
  char buf[16384];
  int section = 0;
  for (;;) {
    const long n = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section);
    if (n == OV_HOLE) continue;
    if (n <= 0) break;
    if (pcm.size() + static_cast<size_t>(n) > MAXDECODEDBYTES) {
      ov_clear(&vf);
      return false;
    }
    pcm.insert(pcm.end(), buf, buf + n);
  }
  ov_clear(&vf);
  return !pcm.empty();
}
#endif

// Decodes a sound file into a chunk of the device format without taking
// the mixer's lock (the mixer's own loader holds it for the whole decoding,
// which would stall every playing channel meanwhile). Nullptr when the file
// does not decode.
Mix_Chunk* DECODEFILE(const std::string& path, uint8_t*& owned) {
  owned = nullptr;
  std::vector<uint8_t> pcm, out;
  int rate = 0, channels = 0;
  // Only regular files, read whole through the safe reader: a pipe or device
  // in place of a sound never blocks the game.
  std::string data, err;
  const FILEREAD r = READFILESAFE(path, MAXSOUNDFILEBYTES, data, err);
  if (r != FR_OK) {
    if (r != FR_MISSING) std::fprintf(stderr, "ashenreach: %s; sound not loaded\n", err.c_str());
    return nullptr;
  }
  if (data.size() < 4) return nullptr;
  if (data.compare(0, 4, "OggS") == 0) {
#ifdef ASHEN_HAVE_VORBISFILE
    if (!DECODEOGG(data, pcm, rate, channels)) return nullptr;
#else
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(data.data(), static_cast<int>(data.size())), 1);
#endif
  } else {
    SDL_AudioSpec wavspec;
    Uint8* buf = nullptr;
    Uint32 len = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(data.data(), static_cast<int>(data.size())), 1, &wavspec, &buf, &len))
      return nullptr;
    if (len > MAXDECODEDBYTES) {
      SDL_FreeWAV(buf);
      return nullptr;
    }
    SDL_AudioCVT cvt;
    // Any sample format to 16-bit at the file's own rate and channels first.
    if (SDL_BuildAudioCVT(&cvt, wavspec.format, wavspec.channels, wavspec.freq, AUDIO_S16LSB,
                          wavspec.channels, wavspec.freq) < 0) {
      SDL_FreeWAV(buf);
      return nullptr;
    }
    std::vector<uint8_t> work(static_cast<size_t>(len) * std::max(cvt.len_mult, 1));
    std::memcpy(work.data(), buf, len);
    SDL_FreeWAV(buf);
    cvt.buf = work.data();
    cvt.len = static_cast<int>(len);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return nullptr;
    work.resize(cvt.needed ? static_cast<size_t>(cvt.len_cvt) : len);
    pcm.swap(work);
    rate = wavspec.freq;
    channels = wavspec.channels;
  }
  if (!TODEVICEFORMAT(pcm, rate, channels, out) || out.empty()) return nullptr;
  owned = static_cast<uint8_t*>(SDL_malloc(out.size()));
  if (!owned) return nullptr;
  std::memcpy(owned, out.data(), out.size());
  Mix_Chunk* c = Mix_QuickLoad_RAW(owned, static_cast<Uint32>(out.size()));
  if (!c) {
    SDL_free(owned);
    owned = nullptr;
  }
  return c;
}

bool SOUNDFILEHEADER(const std::string& path) {
  // The same regular-file test as the decoder: a pipe is never opened.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  char h[12] = {};
  const bool got = read(fd, h, sizeof h) == static_cast<ssize_t>(sizeof h);
  close(fd);
  return got && (std::memcmp(h, "OggS", 4) == 0 ||
                 (std::memcmp(h, "RIFF", 4) == 0 && std::memcmp(h + 8, "WAVE", 4) == 0));
}
}  // namespace

bool SDLAUDIO::OPEN() {
  if (DEVICEOPEN) return true;
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
  DEVICEOPEN = true;
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
  if (!DEVICEOPEN) return;
  Mix_HaltChannel(-1);
  for (auto& s : SAMPLES) {
    if (s->CHUNK) Mix_FreeChunk(s->CHUNK);
    if (s->OWNED) SDL_free(s->OWNED);
  }
  SAMPLES.clear();
  QUEUE.clear();
  WAITING.clear();
  PAUSED = false;
  GO = false;
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  DEVICEOPEN = false;
}

int32_t SDLAUDIO::LOAD(const std::string& path) {
  if (!DEVICEOPEN || !SOUNDFILEHEADER(path)) return 0;
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
    QUEUE.push_back(h);
  }
  if (!WORKER.joinable()) WORKER = std::thread([this]() { WORKERLOOP(); });
  CHANGED.notify_all();
  return h;
}

void SDLAUDIO::DECODE(SAMPLE& s) {
  // Decoding reads only the device format and its own stream's state, so the
  // background thread and a sample wanted at once can decode side by side.
  uint8_t* owned = nullptr;
  Mix_Chunk* c = DECODEFILE(s.PATH, owned);
  std::lock_guard<std::mutex> g(LOCK);
  s.CHUNK = c;
  s.OWNED = owned;
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
  // The thread keeps the game's priority: it shares a lock with the game
  // thread, and a lowered priority would let a busy machine keep the game
  // waiting on it.
  for (;;) {
    SAMPLE* s = nullptr;
    {
      std::unique_lock<std::mutex> g(LOCK);
      CHANGED.wait(g, [this]() {
        return STOP || (!QUEUE.empty() && (GO || SAMPLES[QUEUE.front() - 1]->WANTED));
      });
      if (STOP) return;
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
  if (!DEVICEOPEN || handle < 1 || handle > static_cast<int32_t>(SAMPLES.size())) return;
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
  uint8_t* owned = SAMPLES[handle - 1]->OWNED;
  SAMPLES[handle - 1]->CHUNK = nullptr;
  SAMPLES[handle - 1]->OWNED = nullptr;
  if (c) Mix_FreeChunk(c);
  if (owned) SDL_free(owned);
}

void SDLAUDIO::PLAY(int32_t channel, int32_t handle, int32_t loops) {
  if (!DEVICEOPEN || handle < 1) return;
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
        s.WANTED = true;
        CHANGED.notify_all();
      }
      Mix_HaltChannel(channel);
      WAITING[channel] = WAITINGPLAY{handle, loops};
      return;
    }
  }
  if (Mix_Chunk* c = READYCHUNK(handle)) Mix_PlayChannel(channel, c, loops);
}

void SDLAUDIO::HALT(int32_t channel) {
  if (!DEVICEOPEN) return;
  std::lock_guard<std::mutex> g(LOCK);
  WAITING.erase(channel);
  Mix_HaltChannel(channel);
}

bool SDLAUDIO::BUSY(int32_t channel) {
  if (!DEVICEOPEN) return false;
  {
    std::lock_guard<std::mutex> g(LOCK);
    if (WAITING.count(channel)) return true;
  }
  return Mix_Playing(channel) != 0;
}

void SDLAUDIO::VOLUME(int32_t channel, int32_t volume) {
  if (DEVICEOPEN) Mix_Volume(channel, std::clamp(volume, 0, 128));
}

void SDLAUDIO::PAUSE(bool paused) {
  if (!DEVICEOPEN) return;
  std::lock_guard<std::mutex> g(LOCK);
  PAUSED = paused;
  if (paused)
    Mix_Pause(-1);
  else
    Mix_Resume(-1);
}

void SDLAUDIO::RELEASE() {
  if (GO.load(std::memory_order_relaxed)) return;
  std::lock_guard<std::mutex> g(LOCK);
  GO = true;
  CHANGED.notify_all();
}

int32_t SDLAUDIO::PENDING() {
  std::lock_guard<std::mutex> g(LOCK);
  int32_t n = 0;
  for (auto& s : SAMPLES) n += s->STAGE == QUEUED || s->STAGE == DECODING;
  return n;
}
