// The link game's flow: the link menu of the title screen ("Connect to
// another IP.", "Wait for connection from another IP."), or the command-line
// link (--link-listen, --link-connect) that skips the menus; then the level
// choice of player 1, and the end of the link game.
#pragma once

// True when this run plays a link game straight from the command line.
bool LINKFROMCOMMANDLINE();
// Sets up a link game. True when the level loop is to run: the link is
// active and CURRENTMAP is player 1's choice.
bool LINKGAMESTART();
// After the level loop of a link game: tells the player how it ended
// ("Connection lost.", a desynchronisation) and closes the link.
void LINKGAMEEND();
