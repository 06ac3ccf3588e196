// The main window's own operations: texts, the two clear commands and the
// start of outside tools.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "core/app/shell.h"
#include "core/base/texts.h"
#include "printers.h"
#include "recorders.h"

namespace quorvane::core {
namespace {

std::vector<std::string> splitOn(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos;) {
        parts.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
    parts.push_back(text.substr(from));
    return parts;
}

TEST(IntroText, PaddedLinesEndingInCrLf) {
    const std::string text = introText();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const auto lines = splitOn(text.substr(0, text.size() - 2), "\r\n");
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "Quorvane 1.02" + std::string(39, ' '));
    EXPECT_EQ(lines[1], "================   ");
    EXPECT_EQ(lines[2], std::string(39, ' '));
    EXPECT_EQ(lines[3], "A utility for diagnosing PowerQuest ");
    EXPECT_EQ(lines[7], "the wizard that you need." + std::string(31, ' '));
    EXPECT_EQ(lines[15], std::string(76, ' '));
    EXPECT_EQ(lines[16], "Quorvane can generate a Editpart ");
    EXPECT_EQ(lines[19], "Editpart web page URL is:");
    EXPECT_EQ(lines[21], std::string(15, ' '));
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a bare line break";
        EXPECT_EQ(line.find('@'), std::string::npos) << "no mail address: " << line;
        EXPECT_EQ(line.find("http"), std::string::npos) << "no web address: " << line;
    }
}

TEST(GeneralInfoText, FiveParagraphsWithoutFinalBreak) {
    const auto paragraphs = splitOn(generalInfoText(), "\r\n\r\n");
    ASSERT_EQ(paragraphs.size(), 5u);
    EXPECT_EQ(paragraphs[0].rfind("* The 'bCHS2bLBA' key will calculate", 0), 0u);
    EXPECT_EQ(paragraphs[1].back(), ' ');
    EXPECT_EQ(paragraphs[3].back(), ' ');
    EXPECT_EQ(paragraphs[4],
              "* The 'check' button allows you to verify partition parameters. All fields must "
              "have a value except the act flag, partition sector and partition number. "
              "Partition overlaps are not detected because only one partition at the time can "
              "be evaluated at this point. The errors that are checked for are #104, #107, "
              ",#108 #109, #110 and #116. Also drive/partition stats are shown.");
    for (const std::string& paragraph : paragraphs)
        EXPECT_EQ(paragraph.find('\n'), std::string::npos);
}

Workspace filledWorkspace() {
    Workspace w;
    w.report = "report";
    w.geometry.dgcyls = "1024";
    w.geometry.lbastrt = "63";
    w.geometry.relcyl = "2";
    w.geometry.prtsct = "0";
    w.geometry.drive = "1";
    w.geometry.filesys = "0B";
    w.geometry.Optact = true;
    w.check.verdict = CheckVerdict::Errors;
    w.batch.stage = BatchStage::Saved;
    return w;
}

TEST(ClearCommands, PageButtonAllowsNewBatchToolbarDoesNot) {
    Workspace page = filledWorkspace();
    clearGeometryPage(page);
    EXPECT_EQ(page.report, "");
    EXPECT_EQ(page.geometry, GeometryFields{});
    EXPECT_EQ(page.check.verdict, CheckVerdict::Reset);
    EXPECT_EQ(page.batch.stage, BatchStage::None);

    Workspace toolbar = filledWorkspace();
    const Message message = clearEverything(toolbar);
    EXPECT_EQ(toolbar.report, "");
    EXPECT_EQ(toolbar.geometry, GeometryFields{});
    EXPECT_EQ(toolbar.check.verdict, CheckVerdict::Reset);
    EXPECT_EQ(toolbar.batch.stage, BatchStage::Saved);
    EXPECT_EQ(message, (Message{"All fields have been reset...", "VELK", Icon::None, Buttons::Ok}));
}

TEST(Ipe, OnlyAcceptsTheVerdict) {
    Workspace w = filledWorkspace();
    const Workspace before = w;
    ignorePartitionTableError(w);
    EXPECT_EQ(w.check.verdict, CheckVerdict::Accepted);
    EXPECT_EQ(w.geometry, before.geometry);
    EXPECT_EQ(w.report, before.report);
    EXPECT_EQ(w.batch, before.batch);
}


TEST(LaunchOutsideTool, OnlyAMissingProgramIsReported) {
    struct Case {
        Launcher::Result result;
        std::vector<Message> messages;
    };
    const Case cases[] = {
        {{0, ""}, {}},
        {{53, "File not found"},
         {{"Unable to start requested program, error: '53 File not found'", "Dear User",
           Icon::Exclamation, Buttons::Ok}}},
        {{70, "Permission denied"}, {}},
    };
    for (const Case& c : cases) {
        test::RecordingLauncher launcher;
        launcher.result = c.result;
        const Outcome outcome = launchOutsideTool(launcher, kPteditProgram);
        EXPECT_EQ(launcher.started, std::vector<std::string>{"PTEDIT32.EXE"});
        EXPECT_EQ(outcome.messages, c.messages) << c.result.code;
        EXPECT_EQ(outcome.failure, c.result.code);
    }
}


// The report box holds CR LF; terminals and text controls take line feeds.
TEST(LineBreaks, BothWays) {
    const struct {
        std::string_view box, lines;
    } cases[] = {
        {"", ""},
        {"a\r\nb\r\n", "a\nb\n"},
        {"\r\n\r\n", "\n\n"},
        {"no break", "no break"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withLineFeeds(c.box), c.lines);
        EXPECT_EQ(withCrLf(c.lines), c.box);
    }
    // A carriage return alone, as one message of the hexadecimal
    // conversion writes it, is a line break too.
    EXPECT_EQ(withLineFeeds("a\rb"), "a\nb");
}

}  // namespace
}  // namespace quorvane::core
