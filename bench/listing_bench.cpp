// The time to read a large partinfo listing, check every entry and make
// every entry's page choices: 8 disks of 100 entries each (an NT listing),
// the text as saved and as posted (blanks
// collapsed, wrapped at 72 columns). Prints the median of RUNS runs
// (default 51) of each step, in milliseconds.
//
//   listing_bench [RUNS]
#include <QApplication>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/app/listingchoices.h"
#include "core/readers/partinfo.h"
#include "core/workbench/listingcheck.h"
#include "gui/workbench/tablewindow.h"
#include "listingwriter.h"

namespace {

using namespace quorvane;
using Clock = std::chrono::steady_clock;

// Disk `number` of 8: two primary partitions of 100 cylinders, then the
// extended partition with 49 logical partitions of 100 cylinders each and
// the 48 links between their records: 100 entries.
test::ListedDisk largeDisk(unsigned number) {
    constexpr std::uint64_t cylinder = 255 * 63;
    test::ListedDisk disk;
    disk.number = number;
    disk.cylinders = 6000;
    const auto chs = [](std::uint64_t lba) {
        return test::ListedChs{static_cast<unsigned>(std::min<std::uint64_t>(lba / cylinder, 1023)),
                               static_cast<unsigned>(lba / 63 % 255),
                               static_cast<unsigned>(lba % 63 + 1)};
    };
    const auto row = [&](std::uint64_t table, unsigned slot, std::uint8_t type,
                         std::uint64_t start, std::uint64_t count) {
        test::ListedEntry e;
        e.partSect = table, e.slot = slot, e.type = type, e.start = start, e.count = count;
        e.begin = chs(start), e.end = chs(start + count - 1);
        disk.entries.push_back(e);
    };
    row(0, 0, 0x06, 63, 100 * cylinder - 63);
    row(0, 1, 0x06, 100 * cylinder, 100 * cylinder);
    const std::uint64_t extended = 200 * cylinder;
    row(0, 2, 0x0F, extended, 49 * 100 * cylinder);
    for (unsigned n = 0; n < 49; ++n) {
        const std::uint64_t record = extended + n * 100 * cylinder;
        row(record, 0, 0x06, record + 63, 100 * cylinder - 63);
        if (n + 1 < 49) row(record, 1, 0x05, record + 100 * cylinder, 100 * cylinder);
    }
    return disk;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The offscreen platform's notices would bury the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 51;
    std::vector<test::ListedDisk> disks;
    for (unsigned n = 1; n <= 8; ++n) disks.push_back(largeDisk(n));
    const std::string saved = test::ntListing(disks);
    const std::string posted = test::wrapLines(test::collapseBlanks(saved), 72);

    std::size_t entries = 0;
    for (const std::string* text : {&saved, &posted}) {
        std::vector<double> read, check, choices, window, total;
        for (int run = 0; run < runs; ++run) {
            const auto start = Clock::now();
            const core::Listing listing = core::readListing(*text);
            read.push_back(msSince(start));
            const auto checking = Clock::now();
            const core::ListingReading reading =
                core::checkListing(listing, {}, core::NumberFormat::point());
            check.push_back(msSince(checking));
            const auto choosing = Clock::now();
            entries = 0;
            for (const core::CheckedDisk& disk : reading.disks)
                for (const core::ListedEntry& entry : disk.entries)
                    entries += core::pageChoices(disk, entry).size() / 6;
            choices.push_back(msSince(choosing));
            const auto listing_ = Clock::now();
            {
                gui::TableWindow list({"bench.txt", true}, reading, {}, {}, nullptr);
                list.show();
                QApplication::processEvents();
            }
            window.push_back(msSince(listing_));
            total.push_back(msSince(start));
        }
        std::printf("%s listing, %zu bytes, %zu entries (median of %d runs, ms):\n",
                    text == &saved ? "saved" : "posted (collapsed, wrapped at 72)", text->size(),
                    entries, runs);
        std::printf("  read %.2f  check %.2f  page choices %.2f  list window %.2f  total %.2f\n",
                    median(read), median(check), median(choices), median(window), median(total));
    }
    return 0;
}
