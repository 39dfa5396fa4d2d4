#include "game/playerstate.h"

double PLAYERHEALTH[3] = {100, 100, 100};
bool DEAD[3];
bool SHOWCURSOR[3];
bool WEAPONPRESENT[3][10];
BYTE MTIMER[3] = {90, 90, 90};
BYTE BFGCHARGE[3];
bool CHAINGUNFIRING[3], MINIFIRING[3], FLAMEGUNFIRING[3];
std::string INVENTORY[3] = {"    ", "    ", "    "};
RES PLAYERRES[3];
BYTE CHOSEWEAPONSOUND = 0;
std::string PLAYERNAME[3] = {"", "rookie", "partner"};
double LASTHEALTH[3] = {100, 100, 100};

void (*HELP)() = nullptr;
// The save and load menus (ui/savemenu.cpp).
void SAVEGAMEMENU(bool autosave);
void LOADGAMEMENU();
void (*SAVEGAME)(bool) = SAVEGAMEMENU;
void (*LOADSAVEDGAME)() = LOADGAMEMENU;
void (*SYNCPLAYERS)() = nullptr;

void RESETPLAYERSTATE() {
  for (int p = 0; p <= 2; p++) {
    PLAYERHEALTH[p] = 100;
    DEAD[p] = false;
    SHOWCURSOR[p] = false;
    for (int w = 0; w <= 9; w++) WEAPONPRESENT[p][w] = false;
    MTIMER[p] = 90;
    BFGCHARGE[p] = 0;
    CHAINGUNFIRING[p] = MINIFIRING[p] = FLAMEGUNFIRING[p] = false;
    INVENTORY[p] = "    ";
    PLAYERRES[p] = RES();
    LASTHEALTH[p] = 100;
  }
  CHOSEWEAPONSOUND = 0;
}
