#include "mpegaudio/macros/macro_definitions.h"

// Created before main() runs; never destroyed, so its entries outlive every
// user.
TMacroDefinitions MacroDefinitions;
