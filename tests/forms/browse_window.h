// The main window on a fixture delivery, with its message boxes answered by
// the test.
#pragma once

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/folders.h"
#include "app/settings.h"
#include "browse_fixture.h"
#include "forms/main_window.h"
#include "forms/photo_list.h"
#include "forms/thumbnail_list.h"
#include "forms/tree_images.h"
#include "forms/tree_panel.h"
#include "text/encoding.h"

namespace zor {

class BrowseWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  void ShowInformation(const std::string& text) override { infos << QString::fromStdString(Cp932ToUtf8(text)); }
  void ShowWarning(const std::string& text) override { warnings << QString::fromStdString(Cp932ToUtf8(text)); }
  QStringList infos;
  QStringList warnings;
};

// Fixture + folders + settings + window, in the order they must live.
struct BrowseSetup {
  BrowseFixture fixture;
  QTemporaryDir root;
  Folders folders;
  Settings settings;
  std::unique_ptr<BrowseWindow> window;

  BrowseSetup() {
    const std::string r = root.path().toStdString();
    folders = ComputeFolders(r + "/prog", r + "/data", r);
    settings = DefaultSettings(folders);
  }
  // Makes and shows the window, then shows the loaded tree as after a load.
  BrowseWindow& Open() {
    window = std::make_unique<BrowseWindow>(folders, settings, fixture.delivery);
    window->resize(1100, 800);
    window->show();
    window->context().Reloaded();
    window->TreePanel->ShowTree();
    return *window;
  }
  QTreeWidgetItem* ItemOf(const HierarchyNode* node) const { return window->TreePanel->ItemOf(node); }
  // The node at path below ConstructionNode (UTF-8 captions).
  HierarchyNode* Node(std::initializer_list<const char*> path) const {
    HierarchyNode* n = fixture.delivery.Tree.ConstructionNode();
    for (const char* caption : path) n = n ? n->FindChild(Sj(caption)) : nullptr;
    return n;
  }
};

}  // namespace zor
