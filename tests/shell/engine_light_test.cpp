// Light stamps through the engine tick: every frame's stamps start from the
// grid rebuilt in the input cycle, so a standing light looks the same on
// every frame, whichever frame stamped it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/events.h"
#include "game/playerstate.h"
#include "game/projectiles.h"
#include "levelfixture.h"
#include "render/lighting.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "ui/keyconfig.h"
#include "world/grid.h"

using leveltest::LEVELFIXTURE;

namespace {

std::vector<int> SEEN;  // coloured light of the watched cell at each frame's drawing
int WATCHX = 0, WATCHY = 0;

void WATCH(const char* step) {
  if (std::string(step) != "RENDERGAME") return;
  SEEN.push_back(MLIGHT[WATCHX][MAPSIZEY + 1 - WATCHY]);
}

class EngineLight : public LEVELFIXTURE {
 protected:
  void SetUp() override {
    LEVELFIXTURE::SetUp();
    STYLE(0);
    LEVEL({
        "RRRRRRRRRRRRRRRRRRRR",
        "R                  R",
        "R P                R",
        "R                  R",
        "R                  R",
        "R                  R",
        "RRRRRRRRRRRRRRRRRRRR",
    });
    READYTOPLAY();
    SEEN.clear();
    ENGINETRACE = WATCH;
  }
  void TearDown() override {
    ENGINETRACE = nullptr;
    CLEARPROJECTILES();
    LEVELFIXTURE::TearDown();
  }
};

TEST_F(EngineLight, AStandingFlameLightsItsNeighbourTheSameOnEveryFrame) {
  // A flame that burns in place (no step) for the whole run, far from the
  // player's own small light; the floor beside it has foreground 8, whose
  // brightened colour is 7.
  ADDFLAME(14, 3, 0, 0, 255);
  WATCHX = 15;
  WATCHY = 3;
  RUN(24);
  ASSERT_EQ(SEEN.size(), 24u);
  for (size_t f = 0; f < SEEN.size(); f++) EXPECT_EQ(SEEN[f], CTABLE[DARKGRAY]) << "frame " << f;
}

TEST_F(EngineLight, NothingStampedLeavesTheStaticLightOnEveryFrame) {
  WATCHX = 15;
  WATCHY = 3;
  RUN(10);
  ASSERT_EQ(SEEN.size(), 10u);
  // The first frame comes before the first rebuild; from then on, no light.
  for (size_t f = 1; f < SEEN.size(); f++) EXPECT_EQ(SEEN[f], 128) << "frame " << f;
}

}  // namespace

namespace {
TEST_F(EngineLight, ABlinkKeepsItsColourOnTheFramesBetweenItsSteps) {
  ADDBLINK(15, 3, 1, 11);
  WATCHX = 15;
  WATCHY = 3;
  RUN(20);
  ASSERT_EQ(SEEN.size(), 20u);
  // Blinks step every second frame; from the first step on, the cell shows
  // a blink colour on every frame, never the bare static light.
  for (size_t f = 1; f < SEEN.size(); f++) EXPECT_NE(SEEN[f], 128) << "frame " << f;
}
}  // namespace
