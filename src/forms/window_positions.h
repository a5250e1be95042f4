// Window and dock panel positions in ZOR_V.INI: one section "Sz_" + the
// object name per window or panel. The docking layout itself lives in
// ZORM_V.DAT; this file keeps the sizes and places a user gave the windows.
#pragma once

#include <QRect>
#include <QString>

class QDockWidget;
class QWidget;

namespace zor {

class IniFile;

// Shrinks r to the desktop's size, then moves it inside the desktop.
QRect FitIntoDesktop(QRect r, const QRect& desktop);

// szLeft, szTop, szWidth, szHeight of the normal geometry and szWindowState
// (1 when maximised).
void StoreWindowPosition(IniFile& ini, const QWidget& window);
// szVisible and the four position keys; the docked size szDkWidth and
// szDkHeight; the floating place szUnDkLeft, szUnDkTop, szUnDkWidth,
// szUnDkHeight and szUnDkFloat.
void StorePanelPosition(IniFile& ini, const QDockWidget& panel);

// Puts a window where the file says, fitted into the desktop; only a
// resizable window takes the stored size. False when the section is absent
// or incomplete, which leaves the window as it is.
bool RestoreWindowPosition(const IniFile& ini, QWidget& window, const QRect& desktop, bool resizable);
// Only the stored size (and the maximised state) of a resizable window,
// shrunk to the desktop; where it opens is left to the window. False when
// the section is absent or incomplete.
bool RestoreWindowSize(const IniFile& ini, QWidget& window, const QRect& desktop);
// A floating panel gets its stored floating place, fitted into the desktop.
bool RestorePanelPosition(const IniFile& ini, QDockWidget& panel, const QRect& desktop);

}  // namespace zor
