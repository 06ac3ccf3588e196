// The About box's lookup against the system's own registry, with values
// written there by the system's reg tool. It changes HKEY_LOCAL_MACHINE, so
// it runs only under wine, in the throwaway prefix of the Windows check.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/accessories/sysinfo.h"
#include "platform/path.h"
#include "platform/registry.h"
#include "recorders.h"
#include "windows_process.h"

namespace quorvane::core {
namespace {

using test::runProgram;

constexpr const char* kTestKey = "SOFTWARE\\Quorvane Tests";
constexpr const char* kInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// Runs reg with `args`; a failure fails the test.
void reg(const std::vector<std::string>& args) {
    const test::ProgramRun run = runProgram("reg", args);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
}

void addValue(const std::string& key, const std::string& name, const std::string& type,
              const std::string& data) {
    reg({"add", "HKLM\\" + key, "/v", name, "/t", type, "/d", data, "/f"});
}

void deleteKey(const std::string& key) { runProgram("reg", {"delete", "HKLM\\" + key, "/f"}); }

class SystemRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::underWine())
            GTEST_SKIP() << "writes under HKEY_LOCAL_MACHINE, which only wine's prefix allows";
    }
    void TearDown() override {
        for (const char* key : {kTestKey, kInfoKey, kLocationKey}) deleteKey(key);
    }
    std::unique_ptr<Registry> registry_ = platform::systemRegistry();
};

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += text;
    return result;
}

TEST_F(SystemRegistryTest, GetKeyValueReadsEachKindOfValue) {
    const std::string umlauts1023 = repeated("\xc3\xa4", 1023);  // 2046 bytes of UTF-8
    struct Case {
        const char* name;
        const char* type;  // none: the value is not written
        std::string data;
        bool found;
        std::string value;  // what "before" became
    };
    const Case cases[] = {
        {"Text", "REG_SZ", "C:\\Tools\\msinfo32.exe", true, "C:\\Tools\\msinfo32.exe"},
        {"Empty", "REG_SZ", "", true, ""},
        {"DoubleWord", "REG_DWORD", "42", true, "&h2A"},
        {"Expandable", "REG_EXPAND_SZ", "%SystemRoot%\\msinfo32.exe", true, "before"},
        {"NonAscii", "REG_SZ", "C:\\\xc3\x9c" "bung\\\xe6\x83\x85\xe5\xa0\xb1", true,
         "C:\\\xc3\x9c" "bung\\\xe6\x83\x85\xe5\xa0\xb1"},
        {"Characters1023", "REG_SZ", std::string(1023, 'x'), true, std::string(1023, 'x')},
        {"NonAscii1023", "REG_SZ", umlauts1023, true, umlauts1023},
        // With its NUL, one character more than the buffer holds.
        {"Characters1024", "REG_SZ", std::string(1024, 'x'), false, ""},
        {"Missing", nullptr, "", false, ""},
    };
    for (const Case& c : cases)
        if (c.type) addValue(kTestKey, c.name, c.type, c.data);
    for (const Case& c : cases) {
        std::string value = "before";
        EXPECT_EQ(getKeyValue(*registry_, Registry::kLocalMachine, kTestKey, c.name, value),
                  c.found)
            << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
    std::string value = "before";
    EXPECT_FALSE(getKeyValue(*registry_, Registry::kLocalMachine, "SOFTWARE\\Quorvane Missing",
                             "Text", value));
    EXPECT_EQ(value, "");
}

// A text stored without its final NUL keeps its full length: reg add always
// stores one, so the values are imported from a registry file, which is
// UTF-16 with its byte order mark, holding raw bytes of UTF-16.
TEST_F(SystemRegistryTest, GetKeyValueTextWithoutNul) {
    const std::filesystem::path file =
        platform::pathFromUtf8(::testing::TempDir() + "quorvane_registry_test.reg");
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\" +
                             std::string(kTestKey) +
                             "]\r\n\"NoNul\"=hex(1):61,00,62,00,63,00\r\n"
                             "\"WithNul\"=hex(1):61,00,62,00,00,00\r\n";
    std::string utf16 = "\xff\xfe";
    for (const char c : text) utf16 += std::string{c, '\0'};
    std::ofstream(file, std::ios::binary) << utf16;
    reg({"import", file.string()});
    std::filesystem::remove(file);
    for (const auto& [name, expected] : {std::pair{"NoNul", "abc"}, std::pair{"WithNul", "ab"}}) {
        std::string value;
        EXPECT_TRUE(getKeyValue(*registry_, Registry::kLocalMachine, kTestKey, name, value));
        EXPECT_EQ(value, expected) << name;
    }
}

TEST_F(SystemRegistryTest, StartSysInfoFollowsTheRegistry) {
    const std::string folder = ::testing::TempDir() + "quorvane info";
    const std::string empty = ::testing::TempDir() + "quorvane no info";
    std::filesystem::create_directories(platform::pathFromUtf8(folder));
    std::filesystem::create_directories(platform::pathFromUtf8(empty));
    std::ofstream(platform::pathFromUtf8(folder + "\\MSINFO32.EXE")) << "";
    struct Case {
        const char* name;
        std::optional<std::string> path;      // "PATH" of the MSINFO key
        std::optional<std::string> location;  // "MSINFO" of the Shared Tools Location key
        std::vector<std::string> started;
    };
    const Case cases[] = {
        {"PathFirst", "C:\\Tools\\msinfo32.exe", folder, {"C:\\Tools\\msinfo32.exe"}},
        {"LocationWithTheProgram", std::nullopt, folder, {folder + "\\MSINFO32.EXE"}},
        {"LocationWithoutIt", std::nullopt, empty, {}},
        {"Neither", std::nullopt, std::nullopt, {}},
    };
    const FileExists fileExists = [](const std::string& path) {
        std::error_code ignored;
        return std::filesystem::is_regular_file(platform::pathFromUtf8(path), ignored);
    };
    for (const Case& c : cases) {
        deleteKey(kInfoKey);
        deleteKey(kLocationKey);
        if (c.path) addValue(kInfoKey, "PATH", "REG_SZ", *c.path);
        if (c.location) addValue(kLocationKey, "MSINFO", "REG_SZ", *c.location);
        test::RecordingLauncher launcher;
        const Outcome outcome = startSysInfo(*registry_, fileExists, launcher);
        EXPECT_EQ(launcher.started, c.started) << c.name;
        EXPECT_EQ(outcome.messages.size(), c.started.empty() ? 1u : 0u) << c.name;
    }
    std::filesystem::remove_all(platform::pathFromUtf8(folder));
    std::filesystem::remove_all(platform::pathFromUtf8(empty));
}

}  // namespace
}  // namespace quorvane::core
