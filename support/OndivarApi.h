// Marks what the product DLL exports by name. The DLL's build defines ONDIVAR_EXPORTS; another module
// of the suite that links against the DLL defines ONDIVAR_IMPORTS; the static library and its tests
// define neither.
#pragma once

#if defined(ONDIVAR_EXPORTS)
#define ONDIVAR_API __declspec(dllexport)
#elif defined(ONDIVAR_IMPORTS)
#define ONDIVAR_API __declspec(dllimport)
#else
#define ONDIVAR_API
#endif
