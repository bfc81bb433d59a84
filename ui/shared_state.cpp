// The fonts and the hover tracking record, set up when the library is
// loaded and released when it is unloaded (construction and destruction of
// a static object run exactly then, in the DLL as in a program).
#include <cstring>

#include "ui/shared_state.h"

namespace crv::ui {

HFONT HeaderFont = nullptr;
HFONT LinkFont = nullptr;
TRACKMOUSEEVENT LinkTracking{};

namespace {

// The system's GUI font with another face and height; the face name field
// is cleared first so nothing of the old name follows the new one.
HFONT DeriveFromGuiFont(const char *faceName, BYTE italic) {
    LOGFONTA metrics{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof metrics, &metrics);
    metrics.lfHeight = -9;
    std::memset(metrics.lfFaceName, 0, sizeof metrics.lfFaceName);
    std::strncpy(metrics.lfFaceName, faceName, sizeof metrics.lfFaceName - 1);
    if (italic)
        metrics.lfItalic = italic;
    return CreateFontIndirectA(&metrics);
}

struct LibraryLifetime {
    LibraryLifetime() {
        HeaderFont = DeriveFromGuiFont("Arial", 0);
        LinkFont = DeriveFromGuiFont("MS Shell Dlg", 1);
        LinkTracking.cbSize = sizeof LinkTracking;
        LinkTracking.dwFlags = TME_LEAVE;
        LinkTracking.dwHoverTime = 1;
    }
    ~LibraryLifetime() {
        DeleteObject(HeaderFont);
        DeleteObject(LinkFont);
    }
};

const LibraryLifetime lifetime;

} // namespace

} // namespace crv::ui
