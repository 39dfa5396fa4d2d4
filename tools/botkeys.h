// The keyboard of a bot that plays through the back-end's event source (the
// survival bot, the boss planner): the keys it holds and the key events still
// to be handed to the game.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <set>

#include "display/backend.h"

struct BOTKEYS {
  std::set<int32_t> held;
  std::deque<BACKENDEVENT> queue;

  // Queues the releases and presses that leave exactly KEYS held; NOTE, when
  // given, hears each of them (true for a press).
  void want(const std::set<int32_t>& keys, const std::function<void(bool, int32_t)>& note = nullptr) {
    for (int32_t k : std::set<int32_t>(held))
      if (!keys.count(k)) {
        push(BE_KEYUP, k);
        held.erase(k);
        if (note) note(false, k);
      }
    for (int32_t k : keys)
      if (!held.count(k)) {
        push(BE_KEYDOWN, k);
        held.insert(k);
        if (note) note(true, k);
      }
  }

  // A release of KEY whether held or not (keys a script may have left down).
  void release(int32_t k) {
    push(BE_KEYUP, k);
    held.erase(k);
  }

  // A press and release of KEY (both carrying its character).
  void tap(int32_t k) {
    push(BE_KEYDOWN, k);
    push(BE_KEYUP, k, character(k));
  }

  // The next queued event, false when none is left.
  bool next(BACKENDEVENT& ev) {
    if (queue.empty()) return false;
    ev = queue.front();
    queue.pop_front();
    return true;
  }

 private:
  static int32_t character(int32_t k) { return k < 128 ? k : 0; }
  void push(BACKENDEVENTTYPE type, int32_t k, int32_t unicode = 0) {
    BACKENDEVENT e;
    e.TYPE = type;
    e.SYM = k;
    e.UNICODE = type == BE_KEYDOWN ? character(k) : unicode;
    queue.push_back(e);
  }
};
