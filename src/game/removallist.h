// Entries a mover decides to remove while it walks its table. They are
// collected during the pass and removed after it in ascending order, each
// later index lowered by one for every removal already made, so that the
// walk itself never skips or repeats an entry.
#pragma once

struct REMOVALLIST {
  int COUNT = 0;
  int INDEX[256];
  // Collects index I (ascending, each entry at most once per pass).
  void ADD(int i) {
    if (COUNT < 256) INDEX[COUNT++] = i;
  }
  template <typename PURGE>
  void APPLY(PURGE purge) {
    for (int k = 0; k < COUNT; k++) purge(INDEX[k] - k);
    COUNT = 0;
  }
};
