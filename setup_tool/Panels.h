#pragma once
// The two plain window classes the main window is built from: a panel (a coloured area with an
// optional bevel that hands its children's notifications to the main window) and a picture (a
// bitmap drawn unscaled at the top left, clipped to the box).
#include <windows.h>

namespace Panels {

inline constexpr char kPanelClass[] = "TyxPanel";
inline constexpr char kPictureClass[] = "TyxPicture";

enum class Bevel { None, RaisedOuterLoweredInner };

// The colour of the panels and of the main window.
HBRUSH BackgroundBrush();

bool RegisterClasses(HINSTANCE instance);

// Create parameters for the two classes (lpParam of CreateWindowEx).
struct PanelParams {
    Bevel bevel;
};
struct PictureParams {
    HBITMAP bitmap; // stays owned by the caller and must outlive the window
};

} // namespace Panels
