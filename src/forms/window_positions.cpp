#include "forms/window_positions.h"

#include <QDockWidget>
#include <QWidget>
#include <optional>
#include <string>

#include "app/ini_file.h"
#include "text/lenient.h"

namespace zor {
namespace {

// The docked and floating sizes a panel has before the user changed them.
constexpr int kDefaultPanelWidth = 250;
constexpr int kDefaultPanelHeight = 120;

std::string SectionOf(const QWidget& w) { return "Sz_" + w.objectName().toStdString(); }

void SetInt(IniFile& ini, const std::string& section, const char* key, int value) {
  ini.Set(section, key, std::to_string(value));
}

std::optional<int> GetInt(const IniFile& ini, const std::string& section, const char* key) {
  std::optional<std::string> text = ini.Get(section, key);
  if (!text || text->empty()) return std::nullopt;
  return LenientInteger(*text);
}

std::optional<QRect> GetRect(const IniFile& ini, const std::string& section, const char* left, const char* top,
                             const char* width, const char* height) {
  std::optional<int> l = GetInt(ini, section, left), t = GetInt(ini, section, top);
  std::optional<int> w = GetInt(ini, section, width), h = GetInt(ini, section, height);
  if (!l || !t || !w || !h || *w <= 0 || *h <= 0) return std::nullopt;
  return QRect(*l, *t, *w, *h);
}

}  // namespace

QRect FitIntoDesktop(QRect r, const QRect& desktop) {
  if (desktop.isEmpty()) return r;
  r.setWidth(qMin(r.width(), desktop.width()));
  r.setHeight(qMin(r.height(), desktop.height()));
  if (r.right() > desktop.right()) r.moveRight(desktop.right());
  if (r.bottom() > desktop.bottom()) r.moveBottom(desktop.bottom());
  if (r.left() < desktop.left()) r.moveLeft(desktop.left());
  if (r.top() < desktop.top()) r.moveTop(desktop.top());
  return r;
}

void StoreWindowPosition(IniFile& ini, const QWidget& window) {
  const std::string s = SectionOf(window);
  const QRect g = window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
  SetInt(ini, s, "szLeft", g.left());
  SetInt(ini, s, "szTop", g.top());
  SetInt(ini, s, "szWidth", g.width());
  SetInt(ini, s, "szHeight", g.height());
  SetInt(ini, s, "szWindowState", window.isMaximized() ? 1 : 0);
}

void StorePanelPosition(IniFile& ini, const QDockWidget& panel) {
  const std::string s = SectionOf(panel);
  const QRect g = panel.geometry();
  SetInt(ini, s, "szVisible", panel.isVisible() ? 1 : 0);
  SetInt(ini, s, "szLeft", g.left());
  SetInt(ini, s, "szTop", g.top());
  SetInt(ini, s, "szWidth", g.width());
  SetInt(ini, s, "szHeight", g.height());
  const bool floating = panel.isFloating();
  // A value that is not known now is kept from the last time it was known.
  auto keep = [&](const char* key, int now, bool known, int fallback) {
    SetInt(ini, s, key, known ? now : GetInt(ini, s, key).value_or(fallback));
  };
  keep("szDkWidth", g.width(), !floating, kDefaultPanelWidth);
  keep("szDkHeight", g.height(), !floating, kDefaultPanelHeight);
  keep("szUnDkLeft", g.left(), floating, 0);
  keep("szUnDkTop", g.top(), floating, 0);
  keep("szUnDkWidth", g.width(), floating, kDefaultPanelWidth);
  keep("szUnDkHeight", g.height(), floating, kDefaultPanelHeight);
  SetInt(ini, s, "szUnDkFloat", floating ? 1 : 0);
}

bool RestoreWindowPosition(const IniFile& ini, QWidget& window, const QRect& desktop, bool resizable) {
  const std::string s = SectionOf(window);
  std::optional<QRect> r = GetRect(ini, s, "szLeft", "szTop", "szWidth", "szHeight");
  if (!r) return false;
  if (!resizable) r->setSize(window.size());
  const QRect fitted = FitIntoDesktop(*r, desktop);
  window.move(fitted.topLeft());
  if (resizable) window.resize(fitted.size());
  if (GetInt(ini, s, "szWindowState").value_or(0) != 0) window.setWindowState(window.windowState() | Qt::WindowMaximized);
  return true;
}

bool RestoreWindowSize(const IniFile& ini, QWidget& window, const QRect& desktop) {
  const std::string s = SectionOf(window);
  std::optional<QRect> r = GetRect(ini, s, "szLeft", "szTop", "szWidth", "szHeight");
  if (!r) return false;
  window.resize(FitIntoDesktop(*r, desktop).size());
  if (GetInt(ini, s, "szWindowState").value_or(0) != 0) window.setWindowState(window.windowState() | Qt::WindowMaximized);
  return true;
}

bool RestorePanelPosition(const IniFile& ini, QDockWidget& panel, const QRect& desktop) {
  if (!panel.isFloating()) return false;
  std::optional<QRect> r = GetRect(ini, SectionOf(panel), "szUnDkLeft", "szUnDkTop", "szUnDkWidth", "szUnDkHeight");
  if (!r) return false;
  panel.setGeometry(FitIntoDesktop(*r, desktop));
  return true;
}

}  // namespace zor
