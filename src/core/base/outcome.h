// What an operation asks the window to show, and the required-fields frame
// that turns a failure into a message or into silence.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::core {

enum class Icon { None, Information, Exclamation };
enum class Buttons { Ok, OkCancel };
enum class Answer { Ok, Cancel };

// Title of message boxes that name none of their own.
inline constexpr std::string_view kApplicationTitle = "VELK";
// The program's own name, also the title of the message boxes it added.
inline constexpr std::string_view kProgramName = "Quorvane";

// A message box as data; the window layer shows it, tests record it.
struct Message {
    std::string prompt;
    std::string title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;

    friend bool operator==(const Message&, const Message&) = default;
};

// Shows message boxes. The window implements it with real boxes, the
// command-line program prints them, tests record them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer show(const Message& message) = 0;
};

// Asks the person for a file to read. The window shows the desktop's file
// dialog; tests give a path.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's path (UTF-8), or nothing when the person cancelled.
    virtual std::optional<std::string> chooseFile(std::string_view title) = 0;
};

// The result of one operation: the messages it showed, in order, and the
// code of the failure that stopped it (0 when it ran to its end).
struct Outcome {
    std::vector<Message> messages;
    int failure = 0;

    bool completed() const { return failure == 0; }
};

inline constexpr std::string_view kRequiredFieldsPrompt = "Fill out required fields !";

// Runs `body` under the required-fields rule: a failure with the watched code
// adds the message "Fill out required fields !" (exclamation icon, OK, the
// given title); any other failure ends the operation silently. Whatever the
// body wrote before the failure stays written.
Outcome runRequiredFields(int watchedCode, std::string_view title,
                          const std::function<void()>& body);

}  // namespace quorvane::core
