#include "plugin/log_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace ulvo::plugin {
namespace {

namespace fs = std::filesystem;

TEST(LogPathBeside, KeepsTheFolderUpToTheLastSeparatorOfEitherKind) {
    const struct {
        std::wstring moduleFile;
        std::wstring logPath;
    } cases[] = {
        {L"C:\\P3D\\Modules\\Ulvo2FSUIPC.dll", L"C:\\P3D\\Modules\\Ulvo2FSUIPC.log"},
        {L"C:/P3D/Modules/Ulvo2FSUIPC.dll", L"C:/P3D/Modules/Ulvo2FSUIPC.log"},
        {L"C:\\P3D/Modules\\x.dll", L"C:\\P3D/Modules\\Ulvo2FSUIPC.log"},
        {L"C:\\P3D\\Mod/x.dll", L"C:\\P3D\\Mod/Ulvo2FSUIPC.log"},
        {L"\\\\server\\share\\a.b.dll", L"\\\\server\\share\\Ulvo2FSUIPC.log"},
        {L"C:\\folder\\", L"C:\\folder\\Ulvo2FSUIPC.log"},
        {L"Ulvo2FSUIPC.dll", L"Ulvo2FSUIPC.log"},
        {L"", L"Ulvo2FSUIPC.log"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LogPathBeside(c.moduleFile), c.logPath);
    }
}

TEST(LogOpenFailureText, QuotesThePathInTheFixedSentence) {
    EXPECT_EQ(LogOpenFailureText(L"C:\\P3D\\Modules\\Ulvo2FSUIPC.log"),
              L"Failed to open \"C:\\P3D\\Modules\\Ulvo2FSUIPC.log\". Please ensure the file has "
              L"the correct permissions and is not being used by another application.");
}

class LogFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "ulvo-log-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        path = (folder / "Ulvo2FSUIPC.log").wstring();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string Contents() const {
        std::ifstream file(folder / "Ulvo2FSUIPC.log", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    fs::path folder;
    std::wstring path;
    LogFile log;
};

TEST_F(LogFileTest, EachLineReachesTheFileAtOnceAsOneBytePerCharacter) {
    ASSERT_TRUE(log.Open(path));
    EXPECT_TRUE(log.IsOpen());
    log.LogLine(L"Logfile opened");
    EXPECT_EQ(Contents(), "Logfile opened\n");  // read while the log is still open
    // An unended text continues the next line; characters beyond one byte become
    // marks (a default wide stream would fail here for good and lose every later
    // line); narrow lines are widened byte for byte.
    log.Write(L"Vehicle load detected: ");
    log.LogLine(std::string_view("Simconnect started."));
    log.LogLine(L"Vehicle load detected: \u0416\u03A9 Caf\u00E9");
    log.LogLine(std::string_view("byte \xE9 stays"));
    EXPECT_EQ(Contents(),
              "Logfile opened\nVehicle load detected: Simconnect started.\n"
              "Vehicle load detected: ?? Caf\xE9\nbyte \xE9 stays\n");
}

TEST_F(LogFileTest, AFailedOpenLeavesItReadyOpeningTruncatesAndOnlyAClosedLogOpens) {
    fs::create_directory(folder / "Ulvo2FSUIPC.log");
    EXPECT_FALSE(log.Open(path));
    EXPECT_FALSE(log.IsOpen());
    log.LogLine(L"lost");  // nothing to write to, and no harm
    fs::remove(folder / "Ulvo2FSUIPC.log");
    {
        std::ofstream earlier(folder / "Ulvo2FSUIPC.log");
        earlier << "a much longer log of an earlier simulator run\n";
    }
    ASSERT_TRUE(log.Open(path));
    EXPECT_FALSE(log.Open((folder / "other.log").wstring()));  // leaves it writing
    log.LogLine(L"Logfile closed");
    EXPECT_EQ(Contents(), "Logfile closed\n");
    EXPECT_FALSE(fs::exists(folder / "other.log"));

    // Lines after the close are lost, and a reopen starts afresh.
    log.Close();
    log.Close();
    log.LogLine(L"lost");
    log.Write(L"lost too");
    EXPECT_FALSE(log.IsOpen());
    EXPECT_EQ(Contents(), "Logfile closed\n");
    ASSERT_TRUE(log.Open(path));
    log.LogLine(L"again");
    EXPECT_EQ(Contents(), "again\n");
}

}  // namespace
}  // namespace ulvo::plugin
