#include "shell/startscreen.h"

#include "display/events.h"
#include "display/textscreen.h"

unsigned char WAITFORKEY() {
  CLEARTYPEDKEYS();
  for (;;) {
    PUSHDISPLAY();
    DELAYEMULATOR(33);
    if (QUITREQUESTED) return 27;
    if (TYPEDKEYWAITING()) {
      unsigned char k = TAKETYPEDKEY();
      // A key without a character: take its code after the 0 prefix too.
      if (k == 0 && TYPEDKEYWAITING()) k = TAKETYPEDKEY();
      return k;
    }
  }
}
