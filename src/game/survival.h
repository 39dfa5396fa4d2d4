// Survival and deathmatch rules.
#pragma once

// Called every second frame by the engine tick; it has no effect.
void AIDIRECTOR();
