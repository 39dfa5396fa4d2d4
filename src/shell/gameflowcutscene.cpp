// The typed text screens of the game flow: a level's intro, the end of the
// campaign and the credits, typed character by character with typing sounds.
#include <cctype>
#include <fstream>
#include <string>
#include <vector>

#include "base/paths.h"
#include "base/random.h"
#include "base/settings.h"
#include "display/events.h"
#include "display/textscreen.h"
#include "shell/gameflow.h"
#include "sound/sound.h"

namespace {
constexpr BYTE TYPINGCHANNEL = 50, CUTSCENEMUSIC = 100;

bool ENDKEY(BYTE k) { return k == ' ' || k == 13 || k == 27; }

// True when Space, Enter or Escape was typed (other typed keys are dropped),
// or the window is asked to close.
bool ENDKEYTYPED() {
  while (TYPEDKEYWAITING())
    if (ENDKEY(TAKETYPEDKEY())) return true;
  return QUITREQUESTED;
}

// Waits out MS milliseconds, ending early at an end key. True when ended.
bool WAITORKEY(int ms) {
  while (ms > 0) {
    const int step = ms > 10 ? 10 : ms;
    DELAYEMULATOR(static_cast<uint16_t>(step));
    ms -= step;
    if (ENDKEYTYPED()) return true;
  }
  return false;
}

std::vector<std::string> READLINES(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string LOWERCASE(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

void PREMAPCUTSCENE(BYTE n) {
  if (LINKACTIVE || LAUNCHED_FROM_MD) return;
  const bool endofcampaign = LOWERCASE(GAME) == "main" && n == 112;
  const bool credits = n == 0;
  std::string file;
  if (credits) {
    // The campaign's own credits, else those beside the campaigns.
    file = "CAMPAIGN\\" + GAME + "\\credits.txt";
    if (!FILEEXISTSCI(file)) file = "credits.txt";
  } else
    file = "CAMPAIGN\\" + GAME + "\\MAPS\\MAP" + std::to_string(n) + "_INTRO.TXT";
  if (!FILEEXISTSCI(file)) return;
  const std::vector<std::string> lines = READLINES(RESOLVEPATH(file));

  // The key that led here must be let go first.
  while (ANYKEYDOWN() && !QUITREQUESTED) {
    PUSHDISPLAY();
    DELAYEMULATOR(20);
  }
  CLEARTYPEDKEYS();
  STARTSOUND1(endofcampaign ? 104 : 100, CUTSCENEMUSIC, true);
  TEXTMODE80X25();
  TEXTBACKGROUNDEMULATOR(0);
  CLRSCREMULATOR(true);
  int row = 1;
  bool ended = false;
  for (const std::string& raw : lines) {
    if (ended) break;
    if (credits && raw.find("http:") != std::string::npos) continue;
    std::string line = raw;
    if (!line.empty() && line.back() == ':') line.pop_back();
    bool marked = credits;
    if (!line.empty() && line[0] == '^') {
      marked = true;
      line.erase(0, 1);
    }
    const BYTE colour = marked ? 12 : (endofcampaign ? 3 : 10);
    if (row > 25) {
      SHIFTTEXTUPBYONE();
      row = 25;
    }
    for (size_t i = 0; i < line.size() && i < 80 && !ended; i++) {
      DISPLAYSTRING(std::string(1, line[i]), static_cast<BYTE>(i + 1), static_cast<BYTE>(row), colour);
      PUSHDISPLAY();
      STOPSOUND1(TYPINGCHANNEL);
      if (marked) {
        STARTSOUND1(5, TYPINGCHANNEL, false);
        ended = WAITORKEY(40);
      } else {
        STARTSOUND1(static_cast<uint16_t>(75 + random(3)), TYPINGCHANNEL, false);
        ended = WAITORKEY(50 + random(101));
      }
    }
    if (ended) break;
    PUSHDISPLAY();
    if (line.empty())
      ended = WAITORKEY(500);
    else
      row++;
  }
  if (!ended) {
    if (row > 24) {
      SHIFTTEXTUPBYONE();
      SHIFTTEXTUPBYONE();
      row = 23;
    }
    const std::string prompt = endofcampaign ? "SPACE/ENTER/ESC to EXIT TO MAIN MENU"
                                             : "SPACE/ENTER/ESC to continue";
    DISPLAYSTRING(prompt, 1, static_cast<BYTE>(row + 1), static_cast<BYTE>(1 * 16 + (endofcampaign ? 14 : 11)));
    PUSHDISPLAY();
    while (!ENDKEYTYPED()) {
      PUSHDISPLAY();
      DELAYEMULATOR(20);
    }
  }
  STOPSOUND1(TYPINGCHANNEL);
  TEXTMODE80X25();
  STOPSOUND1(CUTSCENEMUSIC);
  CLEARTYPEDKEYS();
}
