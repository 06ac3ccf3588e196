// The About box's texts and its "System Info..." button: finding the
// system information tool through the registry and starting it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/launcher.h"
#include "core/base/outcome.h"
#include "core/base/registry.h"
#include "core/base/version.h"

namespace quorvane::core {

inline constexpr std::string_view kFormerName = "(formerly known as VELK)";

// "Version " and the three version numbers: "Version 1.0.2".
std::string versionText();
// "About Quorvane".
std::string aboutCaption();
// What the program is for, whom to write to and its notice: three lines
// joined by CR LF.
std::string aboutDescription();

// Reads the value `valueName` of the key `keyName` under `root` into `value`
// and tells whether the key and the value were there. A string is the value's
// bytes without a final NUL; a double word is written "&h" and its
// hexadecimal digits ("&h2A"); a value of another type leaves `value` as it
// was. A missing key or value empties `value`.
bool getKeyValue(Registry& registry, Registry::Handle root, std::string_view keyName,
                 std::string_view valueName, std::string& value);

inline constexpr std::string_view kSysInfoUnavailable =
    "System Information Is Unavailable At This Time";

// "System Info...": starts the program that the registry names as the
// system information tool, or shows that there is none. A start that fails
// shows the same message.
Outcome startSysInfo(Registry& registry, const FileExists& fileExists, Launcher& launcher);

}  // namespace quorvane::core
