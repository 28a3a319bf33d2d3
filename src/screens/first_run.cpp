// Where the program opens after the intro, and after a cancelled quit with no
// game paused: the settings until they were saved once, the high scores after.
#include "screens/screens.h"

void enter_first_run_choice() {
    if (profile.profile_saved == 0) {
        enter_options();
    } else {
        enter_high_scores();
    }
}
