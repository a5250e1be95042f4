// One program for the viewer and the headless front end: a command-line verb
// runs without ever starting the window system.
#include <iostream>

#include "app/folders.h"
#include "app/translate.h"
#include "cli/cli.h"

#ifdef ZOR_WITH_GUI
#include "forms/gui_main.h"
#endif

int main(int argc, char** argv) {
  if (zor::IsCliInvocation(argc, argv)) {
    // The command line's own messages follow the user's locale.
    zor::StartTranslations(zor::ComputeFoldersFromEnvironment(argc > 0 ? argv[0] : nullptr, nullptr, false));
    return zor::RunCli(argc, argv, std::cout, std::cerr);
  }
#ifdef ZOR_WITH_GUI
  return zor::RunGui(argc, argv);
#else
  std::cerr << "zorview: built without the viewer; see zorview --help\n";
  return 2;
#endif
}
