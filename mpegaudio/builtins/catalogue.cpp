#include "mpegaudio/macros/macro_definitions.h"

// Created and filled before main() runs.
TMacroDefinitions MacroDefinitions;
