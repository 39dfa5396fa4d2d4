// The audio half of the SDL back-end: SDL2_mixer channels, and samples that
// are decoded in the background so that loading the whole slot table at
// start-up costs only the time to find the files. A short sample started
// before the background thread reached it is decoded on the spot (or waited
// for); a long one (music, ambience) moves to the front of the queue and its
// channel starts it the moment it is decoded, counting as playing meanwhile.
// Either way every sound plays complete from its first sample.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct Mix_Chunk;

class SDLAUDIO {
 public:
  ~SDLAUDIO() { CLOSE(); }
  // Opens the device (22050 Hz, signed 16-bit little-endian, stereo,
  // 512-sample buffers, 106 channels). False with ERROR filled on failure.
  bool OPEN();
  void CLOSE();
  bool ISOPEN() const { return DEVICEOPEN; }
  const std::string& ERROR() const { return WHY; }

  // A handle > 0 for a file that starts like an Ogg or WAVE file, else 0.
  int32_t LOAD(const std::string& path);
  void FREE(int32_t handle);
  void PLAY(int32_t channel, int32_t handle, int32_t loops);
  void HALT(int32_t channel);
  bool BUSY(int32_t channel);
  void VOLUME(int32_t channel, int32_t volume);
  void PAUSE(bool paused);
  // Samples still waiting for or in decoding.
  int32_t PENDING();
  // The game waits for the first time: background decoding may begin. Until
  // then only samples that were started are decoded, so start-up keeps the
  // processor to itself.
  void RELEASE();

 private:
  enum STATE { QUEUED, DECODING, READY, FREED };
  struct SAMPLE {
    std::string PATH;
    Mix_Chunk* CHUNK = nullptr;
    uint8_t* OWNED = nullptr;  // the chunk's samples (freed with it)
    STATE STAGE = QUEUED;
    bool LONG = false;    // big enough that a caller should not wait for its decoding
    bool WANTED = false;  // started while waiting for its decoding
  };
  // A start waiting for its sample's decoding.
  struct WAITINGPLAY {
    int32_t HANDLE = 0;
    int32_t LOOPS = 0;
  };
  // The decoded sample of HANDLE (nullptr when it did not decode), decoding
  // it now or waiting for the background thread.
  Mix_Chunk* READYCHUNK(int32_t handle);
  void DECODE(SAMPLE& s);
  void WORKERLOOP();

  bool DEVICEOPEN = false;
  std::string WHY;
  std::vector<std::unique_ptr<SAMPLE>> SAMPLES;  // handle h is SAMPLES[h - 1]
  std::deque<int32_t> QUEUE;                     // handles waiting for decoding
  std::map<int32_t, WAITINGPLAY> WAITING;  // by channel
  bool PAUSED = false;
  std::atomic<bool> GO{false};
  std::mutex LOCK;                               // guards SAMPLES' states and QUEUE
  std::condition_variable CHANGED;
  std::thread WORKER;
  bool STOP = false;
};
