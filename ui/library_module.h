#ifndef CRV_LIBRARY_MODULE_H
#define CRV_LIBRARY_MODULE_H

#include <windows.h>

// The image base of the module this code is linked into: the DLL for hosts,
// the test program when the tests link the library statically. Resources are
// loaded from it, so they always come from the module that carries them.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace crv::ui {

inline HINSTANCE LibraryModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

} // namespace crv::ui

#endif
