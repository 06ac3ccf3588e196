#include "core/accessories/sysinfo.h"

#include "core/base/texts.h"

namespace quorvane::core {

namespace {

constexpr std::string_view kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::string_view kMsinfoValue = "PATH";
constexpr std::string_view kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::string_view kLocationValue = "MSINFO";
constexpr std::string_view kMsinfoProgram = "\\MSINFO32.EXE";

// The buffer a value is read into, in characters.
constexpr std::size_t kValueBuffer = 1024;

// "&h" and the hexadecimal digits of a little-endian number of up to four
// bytes, without leading zeros.
std::string doubleWordText(std::string_view bytes) {
    std::uint32_t number = 0;
    for (std::size_t i = bytes.size() > 4 ? 4 : bytes.size(); i-- > 0;) {
        number = (number << 8) | static_cast<unsigned char>(bytes[i]);
    }
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[number % 16]);
        number /= 16;
    } while (number != 0);
    return "&h" + digits;
}

}  // namespace

std::string versionText() {
    return "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
           "." + std::to_string(kVersionRevision);
}

std::string aboutCaption() { return "About " + std::string(kProgramName); }

std::string aboutDescription() {
    // The project publishes no mail address: comments go where its README
    // says. The notice names the licence that LICENSE holds.
    return std::string("The Quorvane for diagnosing PowerQuest partition table errors.") +
           std::string(kCrLf) +
           "Comments, suggestions and bugs are welcome: the README of Quorvane says where to "
           "send them." +
           std::string(kCrLf) +
           "2000, the Quorvane project. Free software under the GNU General Public License, "
           "version 3 or later.";
}

bool getKeyValue(Registry& registry, Registry::Handle root, std::string_view keyName,
                 std::string_view valueName, std::string& value) {
    // Reading needs read rights only; asking for more is refused to
    // ordinary users under HKEY_LOCAL_MACHINE.
    const std::optional<Registry::Handle> key = registry.open(root, keyName, Registry::kRead);
    if (!key) {
        value.clear();
        return false;
    }
    const std::optional<Registry::Data> data = registry.query(*key, valueName, kValueBuffer);
    if (!data) {
        value.clear();
        registry.close(*key);
        return false;
    }
    std::string_view bytes = data->bytes;
    if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);

    if (data->type == Registry::kString) {
        value = bytes;
    } else if (data->type == Registry::kDoubleWord) {
        value = doubleWordText(bytes);
    }
    registry.close(*key);
    return true;
}

Outcome startSysInfo(Registry& registry, const FileExists& fileExists, Launcher& launcher) {
    std::string program;
    bool found = getKeyValue(registry, Registry::kLocalMachine, kMsinfoKey, kMsinfoValue, program);
    if (!found) {
        std::string folder;
        if (getKeyValue(registry, Registry::kLocalMachine, kLocationKey, kLocationValue, folder)) {
            program = folder + std::string(kMsinfoProgram);
            found = fileExists(program);
        }
    }
    if (found && launcher.start(program).code == 0) return {};

    Outcome outcome;
    outcome.messages.push_back(
        Message{std::string(kSysInfoUnavailable), std::string(kApplicationTitle)});
    return outcome;
}

}  // namespace quorvane::core
