// The traffic log on Windows: while a run holds it, others may read it but not write or
// delete it, so a second copy or an editor cannot interleave lines.
#include "link/TrafficLogFixture.h"

#include <windows.h>

namespace {

TEST_F(TrafficLogTest, AHeldLogIsReadableButNotWritableOrRemovable) {
    std::ofstream(path) << "old run\n";
    detlink::TrafficLog log(clock, path.string());
    ASSERT_TRUE(log.EnableIfPresent());
    ASSERT_TRUE(log.WriteLogLine("one"));

    EXPECT_EQ(Contents(), "14:07:33.120  one\n");
    const HANDLE writer =
        CreateFileA(path.string().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(DeleteFileA(path.string().c_str()));

    EXPECT_TRUE(log.WriteLogLine("two"));
    EXPECT_EQ(Contents(), "14:07:33.120  one\n14:07:33.120  two\n");
}

} // namespace
