// What the page's scripts call in the core: plain C functions, UTF-8 text
// as a pointer that the page reads with UTF8ToString. For now the game
// window's caption from its design table, which shows that the core is
// loaded and answers; the front end adds its calls here.
#include <emscripten/emscripten.h>

#include "game/core/game_window_design.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* tavri_game_window_caption() {
  return tavri::game_window::Design().caption;
}

}  // extern "C"
