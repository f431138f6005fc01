#include "platform/replace_file.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/platform/scratch_folder.h"

namespace tarvolin {
namespace {

using testing::ScratchFolder;
using testing::WriteBytes;

TEST(AbandonedTemporaries, OnlyTheTemporariesOfEndedWritersGo) {
  EXPECT_EQ(TemporaryWriter("$Profile0.1234-56.partial"), 1234);
  EXPECT_EQ(TemporaryWriter("dir/x.tvc.7-0.partial"), 7);
  for (const char* other : {"$Profile0", "$Profile0.partial", "$Profile0.12-.partial",
                            "$Profile0.-3.partial", "$Profile0.1a-3.partial", ".1-2.partial",
                            "$Profile0.1-2.partial.bak", "$Profile0.1234567890-1.partial"}) {
    EXPECT_FALSE(TemporaryWriter(other).has_value()) << other;
  }

  ScratchFolder folder;
  for (const char* name : {"$Profile0", "$Profile0.partial", "$Profile0.11-1.partial",
                           "$Profile1.22-9.partial", "mine.tvc.33-2.partial"}) {
    WriteBytes(folder.File(name), "x");
  }
  std::filesystem::create_directory(folder.File("dir.44-1.partial"));
  std::set<long> asked;
  const int removed = RemoveAbandonedTemporaries(folder.Path(), [&](long process) {
    asked.insert(process);
    return process == 22;  // still writing
  });
  EXPECT_EQ(removed, 2);
  std::set<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    left.insert(entry.path().filename().string());
  }
  EXPECT_EQ(left, (std::set<std::string>{"$Profile0", "$Profile0.partial", "$Profile1.22-9.partial",
                                         "dir.44-1.partial"}));
  EXPECT_EQ(asked, (std::set<long>{11, 22, 33, 44}));
  EXPECT_EQ(RemoveAbandonedTemporaries(folder.File("missing"), [](long) { return false; }), 0);
}

}  // namespace
}  // namespace tarvolin
