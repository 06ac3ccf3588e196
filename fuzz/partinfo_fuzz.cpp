// The partinfo listing reader on any text: what it reads stays within the
// text's lines and in proportion to them, the check of the listing keeps
// every entry as the listing gives it, every page an entry fills is
// accepted by that page, and quorvane-cli's partinfo writes valid JSON,
// lines for batch and bounded text about it with the exit status the
// reading calls for.
//
// Input: a byte of options (bit 0 the decimal comma; bits 1 and 2 how the
// rest is encoded: as it is, UTF-16 LE or BE after a byte order mark, or
// UTF-8 after one; bits 3 and 4 quorvane-cli's form: text, lines for batch,
// JSON; bit 5 the check of one disk as well), then the listing's text.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/app/listingchoices.h"
#include "core/readers/partinfo.h"
#include "core/workbench/entrycheck.h"
#include "core/workbench/listingcheck.h"
#include "fuzz/fuzz.h"
#include "tests/support/listingwriter.h"

namespace quorvane::fuzz {

namespace {

enum class Encoding { AsIs, Utf16Le, Utf16Be, Utf8Bom };

std::string encoded(std::string_view text, Encoding encoding) {
    switch (encoding) {
        case Encoding::AsIs: return std::string(text);
        case Encoding::Utf16Le: return test::utf16(text, false);
        case Encoding::Utf16Be: return test::utf16(text, true);
        case Encoding::Utf8Bom: return "\xEF\xBB\xBF" + std::string(text);
    }
    return {};
}

std::size_t linesOf(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

// Every line, row, message and record read stands on a line of the text,
// and there are no more of them than lines.
void checkListingRead(const core::Listing& listing, std::size_t lines) {
    QUORVANE_PROMISE(listing.unread.size() <= core::kMaxUnreadLines,
                     std::to_string(listing.unread.size()));
    if (!listing.error.empty()) {
        // The lines that looked like rows stay listed: they say why.
        QUORVANE_PROMISE(listing.disks.empty(), listing.error);
    }
    const std::string within = "of " + std::to_string(lines) + " lines";
    const auto onALine = [&](std::size_t line, std::string_view what) {
        QUORVANE_PROMISE(line >= 1 && line <= lines,
                         std::string(what) + " at line " + std::to_string(line) + " " + within);
    };
    std::size_t items = 0;
    const auto messages = [&](const std::vector<core::ListingMessage>& all) {
        for (const core::ListingMessage& m : all) onALine(m.line, "message");
        items += all.size();
    };
    QUORVANE_PROMISE(listing.disks.size() <= lines, within);
    for (const core::ListingDisk& d : listing.disks) {
        for (const core::ListingEntry& e : d.entries) {
            onALine(e.line, "entry");
            QUORVANE_PROMISE(e.slot >= 1 && e.slot <= 4, std::to_string(e.slot));
            messages(e.messages);
        }
        for (const core::VolumeRow& v : d.volumes) {
            onALine(v.line, "volume");
            messages(v.messages);
        }
        for (const core::BootRecord& b : d.bootRecords) {
            onALine(b.line, "boot record");
            QUORVANE_PROMISE(b.fields.size() <= lines, within);
            messages(b.messages);
        }
        messages(d.messages);
        QUORVANE_PROMISE(d.entries.size() <= core::kMostListedEntries, within);
        items += d.entries.size() + d.volumes.size() + d.bootRecords.size();
    }
    QUORVANE_PROMISE(items <= lines, std::to_string(items) + " items " + within);
    for (const core::UnreadLine& u : listing.unread) onALine(u.line, "unread line");
}

// The checked disks are the listing's (all of them, or those numbered as
// asked), each entry kept as the listing gives it, with few findings.
void checkReading(const core::ListingReading& reading, const core::Listing& listing,
                  const core::ListingRequest& request, const core::NumberFormat& format) {
    QUORVANE_PROMISE(reading.error == listing.error, reading.error);
    std::size_t next = 0;
    for (const core::CheckedDisk& disk : reading.disks) {
        while (next < listing.disks.size() && request.disk &&
               listing.disks[next].number != request.disk)
            ++next;
        QUORVANE_PROMISE(next < listing.disks.size(), "a checked disk the listing lacks");
        const core::ListingDisk& listed = listing.disks[next++];
        QUORVANE_PROMISE(disk.listing == listed, "the checked disk is the listing's");
        QUORVANE_PROMISE(disk.entries.size() == listed.entries.size(),
                         std::to_string(disk.entries.size()));
        for (std::size_t i = 0; i < disk.entries.size(); ++i) {
            const core::ListedEntry& e = disk.entries[i];
            const core::TableEntry& t = e.checked.entry;
            const core::ListingEntry& l = e.listing;
            const std::string place = "entry " + std::to_string(i) + " at line " +
                                      std::to_string(l.line);
            QUORVANE_PROMISE(l == listed.entries[i], place);
            // The reader reads no NumSects beyond the 32 bits of a table's
            // count: the count is the listing's own.
            QUORVANE_PROMISE(t.tableSector == l.tableSector && t.slot == l.slot &&
                                 t.boot == l.boot && t.type == l.type && t.start == l.start &&
                                 t.count == l.count,
                             place);
            QUORVANE_PROMISE(e.disagreements.size() <= core::kCheckCodes.size(), place);
            for (const std::string& d : e.disagreements)
                QUORVANE_PROMISE(!d.empty() && d.size() <= 2048, d);
            if (e.bootRecord)
                QUORVANE_PROMISE(*e.bootRecord < disk.listing.bootRecords.size(), place);
            QUORVANE_PROMISE(e.checked.report.size() <= 4096, place);
            checkPageChoices(core::pageChoices(disk, e), format);
        }
        QUORVANE_PROMISE(disk.findings.size() <= 16 * (disk.entries.size() + 1),
                         std::to_string(disk.findings.size()));
        // A listing may give a table more rows than its four slots (a
        // section pasted twice): a finding that names every active
        // primary or every partition of one extended boot record then
        // grows with the rows, never faster.
        for (const core::Finding& f : disk.findings)
            QUORVANE_PROMISE(!f.text.empty() && f.text.size() <= 1024 + 96 * disk.entries.size(),
                             f.text);
    }
    if (!request.disk) QUORVANE_PROMISE(reading.disks.size() == listing.disks.size(), {});
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
    if (input.empty()) return;
    const std::uint8_t options = input[0];
    const core::NumberFormat format = pickFormat(options);
    const auto encoding = static_cast<Encoding>((options >> 1) & 3);
    const std::string bytes = encoded(asText(input.subspan(1)), encoding);

    const core::DecodedText decoded = core::decodeListingText(bytes);
    const std::size_t lines = linesOf(decoded.text);
    const core::Listing listing = core::readListing(bytes);
    if (!decoded.error.empty()) QUORVANE_PROMISE(listing.error == decoded.error, listing.error);
    checkListingRead(listing, lines);

    // Cleaning a line drops what posting glued on; an entity decodes to at
    // most as many bytes as it took, a lone character's to four.
    for (std::size_t from = 0; from < decoded.text.size();) {
        const std::size_t end = std::min(decoded.text.find('\n', from), decoded.text.size());
        const std::string_view line = std::string_view(decoded.text).substr(from, end - from);
        const std::string clean = core::cleanListingLine(line);
        QUORVANE_PROMISE(clean.size() <= line.size() + 4, std::string(line));
        from = end + 1;
    }

    const core::ListingReading all = core::checkListing(listing, {}, format);
    checkReading(all, listing, {}, format);
    // One disk of several (option bit 5): with one disk the request changes
    // nothing but the work.
    const auto numbered = std::find_if(listing.disks.begin(), listing.disks.end(),
                                       [](const core::ListingDisk& d) { return d.number; });
    if ((options & 32) && numbered != listing.disks.end() && listing.disks.size() > 1) {
        const core::ListingRequest one{.disk = numbered->number, .drive = {}};
        checkReading(core::checkListing(listing, one, format), listing, one, format);
    }

    // quorvane-cli in one form (option bits 3 and 4: the JSON, the text or
    // the lines for batch), with the exit status the reading calls for and
    // output in proportion to the input.
    const int expected = !all.error.empty() || !all.hasEntries() ? 1
                         : all.clean() && all.unread.empty()    ? 0
                                                                : 3;
    // About 40 bytes of JSON per byte of a listing of bare rows, the most
    // measured: twice that, so that output growing with the square of the
    // rows still breaks it.
    const std::size_t bound = 65536 + 96 * bytes.size();
    const int form = (options >> 3) & 3;
    std::vector<std::string> args = {"partinfo", "-"};
    if (form == 1) args.push_back("--batch-lines");
    if (form >= 2) args.push_back("--json");
    std::string out, err;
    const int status = runCli(args, format, bytes, nullptr, out, err);
    QUORVANE_PROMISE(status == expected, std::to_string(status) + " " + err);
    QUORVANE_PROMISE(out.size() <= bound && err.size() <= bound, std::to_string(out.size()));
    if (!all.error.empty()) {
        QUORVANE_PROMISE(out.empty() && !err.empty(), err);
        return;
    }
    if (form >= 2) checkJsonDocument(out);
}

}  // namespace quorvane::fuzz
