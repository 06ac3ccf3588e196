#include "core/base/texts.h"

#include <array>

namespace quorvane::core {

namespace {

std::string blanks(std::size_t count) { return std::string(count, ' '); }

std::string joinLines(const auto& lines, bool breakAfterLast) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (breakAfterLast || i + 1 < lines.size()) text += kCrLf;
    }
    return text;
}

}  // namespace

std::string withLineFeeds(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        result += text[i] == '\r' ? '\n' : text[i];
    }
    return result;
}

std::string withCrLf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 32);
    for (const char c : text) {
        if (c == '\n') result += kCrLf;
        else result += c;
    }
    return result;
}

std::string introText() {
    // The project has no mail address, so the three lines asking for mail
    // are left out; the lines that named addresses point to the project's
    // own documentation instead.
    const std::array<std::string, 22> lines = {
        std::string(kMainCaption) + blanks(39),
        "================" + blanks(3),
        blanks(39),
        "A utility for diagnosing PowerQuest ",
        "partition table error codes. ",
        " ",
        "Press 'general info' for instructions on ",
        "the wizard that you need." + blanks(31),
        "",
        "Quorvane was thouroughly tested, ",
        "",
        "Please refer to the website for known ",
        "issues and furher information: the README of Quorvane ",
        " ",
        "2000, the Quorvane project ",
        blanks(76),
        "Quorvane can generate a Editpart ",
        "(Editpart 2.6 is a separate tool by its ",
        "own author, not part of Quorvane) compatible batchfile. The ",
        "Editpart web page URL is:",
        "given in Editpart's own documentation" + blanks(9),
        blanks(15),
    };
    return joinLines(lines, true);
}

std::string generalInfoText() {
    const std::array<std::string_view, 5> paragraphs = {
        "* The 'bCHS2bLBA' key will calculate the LBA startsector from CHS values. Drive "
        "Geometry and start CHS values are required.",
        "* bLBA2bCHS calculates the CHS value from a LBA sector number. Enter values for "
        "Drivegeometry and the LBA sector number in the field for 'sectors before'. ",
        "* eCHS2eLBA calculates the absolute LBA endsector, enter values for drive geometry "
        "and end CHS values.",
        "* The CHS2LBA function allows you to calculate the LBA start sector and the number "
        "of sectors for a partition. Drive geometry and start and end CHS values. ",
        "* The 'check' button allows you to verify partition parameters. All fields must "
        "have a value except the act flag, partition sector and partition number. "
        "Partition overlaps are not detected because only one partition at the time can "
        "be evaluated at this point. The errors that are checked for are #104, #107, ,#108 "
        "#109, #110 and #116. Also drive/partition stats are shown.",
    };
    std::string text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) text.append(kCrLf).append(kCrLf);
        text += paragraphs[i];
    }
    return text;
}

std::string listedText(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return text;
}

}  // namespace quorvane::core
