// What the program does with a first argument that is no verb.
#include <gtest/gtest.h>

#include <string>

#include "program_run.h"

namespace zor {
namespace {

// A mistyped verb is a usage error with the usage text, also without a
// display: never a window start that a script would wait on.
TEST(Usage, AnyDashArgumentThatIsNoVerbIsAUsageError) {
  for (const char* args : {"-verify demo", "-", "--verfy x", "-h", "--"}) {
    const test::ProgramRun run =
        test::RunProgram(std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= '" ZOR_PROGRAM "' ") + args +
                         " 2>&1");
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.out.find("zorview: unknown option"), std::string::npos) << args << ": " << run.out;
    EXPECT_NE(run.out.find("zorview --verify"), std::string::npos) << args;
  }
}

}  // namespace
}  // namespace zor
