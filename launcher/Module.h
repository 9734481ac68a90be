#pragma once
// A DLL loaded for one scope, freed at its end.
#include "Owners.h"

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::FreeLibrary(h); }
};
using UniqueModule = Owned<ModuleTraits>;
