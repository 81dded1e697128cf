// The built-in macro catalogue in the library's one registry.
#pragma once

// Registers the 86 built-in macros into MacroDefinitions, in their fixed
// order. Runs by itself before main(); a later call does nothing.
void RegisterBuiltinMacros();
