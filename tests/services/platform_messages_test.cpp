#include <gtest/gtest.h>

#include "zolmar/services/platform_messages.h"

namespace zolmar {
namespace {

TEST(PlatformMessagesTest, DropsOnlyThePluginsNotes) {
  const struct {
    const char* message;
    bool chatter;
  } cases[] = {
      {"QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'", true},
      {"QStandardPaths: runtime directory '/tmp/x' is not owned by UID 0, but a directory permissions 0755",
       true},
      {"This plugin does not support propagateSizeHints()", true},
      {"This plugin does not support raise()", true},
      {"QPainter::begin: Paint device returned engine == 0, type: 3", false},
      {"QSqlDatabase: QSQLITE driver not loaded", false},
      {"Note: This plugin does not support", false},  // only at the start
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(PlatformMessages::isChatter(c.message), c.chatter) << c.message;
}

}  // namespace
}  // namespace zolmar
