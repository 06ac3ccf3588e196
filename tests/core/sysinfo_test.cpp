// The About box's registry lookup and the start of the system information
// tool, against a registry and a launcher that record what they are asked.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/accessories/sysinfo.h"
#include "recorders.h"

namespace quorvane::core {
namespace {

constexpr std::string_view kInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::string_view kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

struct Value {
    std::uint32_t type;
    std::string bytes;
};

class FakeRegistry : public Registry {
public:
    // Values by key name, then by value name.
    std::map<std::string, std::map<std::string, Value>, std::less<>> keys;
    std::vector<std::string> opened;
    std::vector<std::uint32_t> rights;
    int openCount = 0;

    std::optional<Handle> open(Handle root, std::string_view name,
                               std::uint32_t access) override {
        opened.emplace_back(name);
        rights.push_back(access);
        const auto key = keys.find(name);
        if (root != kLocalMachine || key == keys.end()) return std::nullopt;
        ++openCount;
        return reinterpret_cast<Handle>(&key->second);
    }
    // Every character is one byte here.
    std::optional<Data> query(Handle key, std::string_view name,
                              std::size_t capacity) override {
        const auto& values = *reinterpret_cast<std::map<std::string, Value>*>(key);
        const auto value = values.find(std::string(name));
        if (value == values.end() || value->second.bytes.size() > capacity)
            return std::nullopt;
        return Data{value->second.type, value->second.bytes};
    }
    void close(Handle) override { --openCount; }
};

using FakeLauncher = test::RecordingLauncher;

using namespace std::string_literals;

struct ValueCase {
    const char* name;
    std::optional<Value> stored;  // none: the value is missing
    bool found;
    std::string value;            // what the caller's "before" became
};

void PrintTo(const ValueCase& c, std::ostream* out) { *out << c.name; }

class GetKeyValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(GetKeyValueTest, ReadsWithReadRightsAndClosesTheKey) {
    const ValueCase& c = GetParam();
    FakeRegistry registry;
    registry.keys["Key"];
    if (c.stored) registry.keys["Key"]["Value"] = *c.stored;
    std::string value = "before";
    EXPECT_EQ(getKeyValue(registry, Registry::kLocalMachine, "Key", "Value", value), c.found);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(registry.rights, std::vector<std::uint32_t>{0x20019});
    EXPECT_EQ(registry.openCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    ::testing::Values(
        ValueCase{"StringLosesItsFinalNul", Value{1, "C:\\msinfo32.exe\0"s}, true,
                  "C:\\msinfo32.exe"},
        ValueCase{"StringWithoutNulKeepsFullLength", Value{1, "abcd"}, true, "abcd"},
        ValueCase{"EmptyString", Value{1, ""}, true, ""},
        ValueCase{"DoubleWord", Value{4, "\x2A\0\0\0"s}, true, "&h2A"},
        ValueCase{"DoubleWordHighByte", Value{4, "\0\0\0\x01"s}, true, "&h1000000"},
        ValueCase{"OtherTypeLeavesTheText", Value{3, "\x01\x02"}, true, "before"},
        ValueCase{"TooLargeForTheBuffer", Value{1, std::string(1025, 'x')}, false, ""},
        ValueCase{"MissingValue", std::nullopt, false, ""}));

TEST(GetKeyValue, MissingKey) {
    FakeRegistry registry;
    std::string value = "before";
    EXPECT_FALSE(getKeyValue(registry, Registry::kLocalMachine, "Key", "Value", value));
    EXPECT_EQ(value, "");
}

struct SysInfoCase {
    const char* name;
    std::optional<Value> path;      // "PATH" of the MSINFO key
    std::optional<Value> location;  // "MSINFO" of the Shared Tools Location key
    bool fileThere;
    int launchCode;
    std::vector<std::string> opened;
    std::vector<std::string> filesAsked;
    std::vector<std::string> started;
    bool unavailable;
};

void PrintTo(const SysInfoCase& c, std::ostream* out) { *out << c.name; }

class StartSysInfoTest : public ::testing::TestWithParam<SysInfoCase> {};

TEST_P(StartSysInfoTest, StartsTheToolOrSaysItIsUnavailable) {
    const SysInfoCase& c = GetParam();
    FakeRegistry registry;
    if (c.path) registry.keys[std::string(kInfoKey)]["PATH"] = *c.path;
    if (c.location) registry.keys[std::string(kLocationKey)]["MSINFO"] = *c.location;
    std::vector<std::string> asked;
    const FileExists fileExists = [&](const std::string& path) {
        asked.push_back(path);
        return c.fileThere;
    };
    FakeLauncher launcher;
    launcher.result.code = c.launchCode;

    const Outcome outcome = startSysInfo(registry, fileExists, launcher);
    EXPECT_EQ(registry.opened, c.opened);
    EXPECT_EQ(asked, c.filesAsked);
    EXPECT_EQ(launcher.started, c.started);
    if (c.unavailable) {
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(outcome.messages[0],
                  (Message{"System Information Is Unavailable At This Time", "VELK"}));
    } else {
        EXPECT_TRUE(outcome.messages.empty());
    }
    EXPECT_EQ(registry.openCount, 0);
}

const std::string kInfo(kInfoKey);
const std::string kLocation(kLocationKey);
const Value kToolPath{1, "C:\\Tools\\msinfo32.exe\0"s};
const Value kInfoFolder{1, "C:\\Info\0"s};
const std::string kInfoFile = "C:\\Info\\MSINFO32.EXE";

INSTANTIATE_TEST_SUITE_P(
    Lookups, StartSysInfoTest,
    ::testing::Values(
        SysInfoCase{"FirstValueStartedWithoutSecond", kToolPath, kInfoFolder, true, 0, {kInfo}, {},
                    {"C:\\Tools\\msinfo32.exe"}, false},
        SysInfoCase{"FirstValueFailsToStart", kToolPath, kInfoFolder, true, 53, {kInfo}, {},
                    {"C:\\Tools\\msinfo32.exe"}, true},
        SysInfoCase{"SecondValueWithFile", std::nullopt, kInfoFolder, true, 0,
                    {kInfo, kLocation}, {kInfoFile}, {kInfoFile}, false},
        SysInfoCase{"SecondValueFileMissing", std::nullopt, kInfoFolder, false, 0,
                    {kInfo, kLocation}, {kInfoFile}, {}, true},
        SysInfoCase{"NeitherValue", std::nullopt, std::nullopt, true, 0, {kInfo, kLocation}, {},
                    {}, true}));

}  // namespace
}  // namespace quorvane::core
