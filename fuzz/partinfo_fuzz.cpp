// The partinfo listing reader on any text: what it reads stays within the
// text's lines and in proportion to them, the check of the listing keeps
// every entry as the listing gives it, every page an entry fills is
// accepted by that page, and quorvane-cli's partinfo writes valid JSON,
// lines for batch and bounded text about it with the exit status the
// reading calls for.
//
// Input: a byte of options (bit 0 the decimal comma, bits 1 and 2 how the
// rest is encoded: as it is, UTF-16 LE or BE after a byte order mark, or
// UTF-8 after one), then the listing's text.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/app/listingchoices.h"
#include "core/readers/partinfo.h"
#include "core/workbench/entrycheck.h"
#include "core/workbench/listingcheck.h"
#include "fuzz/fuzz.h"

namespace quorvane::fuzz {

namespace {

enum class Encoding { AsIs, Utf16Le, Utf16Be, Utf8Bom };

// The next code point of the UTF-8 text from `at` on, moving `at` past it;
// a byte that starts no valid sequence is U+FFFD and moves one byte.
std::uint32_t nextCodePoint(std::string_view text, std::size_t& at) {
    const auto b = static_cast<unsigned char>(text[at]);
    const std::size_t length = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2
                             : b >= 0xE0 && b <= 0xEF                ? 3
                             : b >= 0xF0 && b <= 0xF4                ? 4
                                                                     : 0;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return 0xFFFD;
    }
    std::uint32_t code = length == 1 ? b : b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[at + k]);
        if ((c & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        code = code << 6 | (c & 0x3F);
    }
    if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
        ++at;
        return 0xFFFD;
    }
    at += length;
    return code;
}

// The text as UTF-16 after its byte order mark: at most twice its length
// and the mark.
std::string utf16(std::string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto unit = [&](std::uint32_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    for (std::size_t at = 0; at < text.size();) {
        const std::uint32_t code = nextCodePoint(text, at);
        if (code >= 0x10000) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
    }
    return out;
}

std::string encoded(std::string_view text, Encoding encoding) {
    switch (encoding) {
        case Encoding::AsIs: return std::string(text);
        case Encoding::Utf16Le: return utf16(text, false);
        case Encoding::Utf16Be: return utf16(text, true);
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
        items += d.entries.size() + d.volumes.size() + d.bootRecords.size();
    }
    QUORVANE_PROMISE(items <= lines, std::to_string(items) + " items " + within);
    for (const core::UnreadLine& u : listing.unread) onALine(u.line, "unread line");
}

bool chsGeometry(const std::optional<core::ListingGeometry>& g) {
    return g && g->heads >= 1 && g->heads <= core::kMaxHeads && g->sectors >= 1 &&
           g->sectors <= core::kMaxSectorsPerTrack;
}

// The choices an entry offers, each accepted by its page. Known and left to
// the fills of Error 110 and Error 108, which take the disk's geometry line
// as it stands: a line that gives no heads or no sectors a CHS address can
// hold ("0 Heads") fills values the page cannot calculate with. Those two
// choices of such a disk are passed over until the fills mark them as
// unavailable.
void checkListingChoices(std::vector<core::PageChoice> choices, const core::ListingDisk& disk,
                         const core::NumberFormat& format) {
    if (!chsGeometry(disk.geometry))
        std::erase_if(choices, [](const core::PageChoice& c) {
            return c.page == core::ListingPage::Error110 || c.page == core::ListingPage::Error108;
        });
    checkPageChoices(choices, format);
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
            checkListingChoices(core::pageChoices(disk, e), disk.listing, format);
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
    const auto numbered = std::find_if(listing.disks.begin(), listing.disks.end(),
                                       [](const core::ListingDisk& d) { return d.number; });
    // One disk of several: with one disk the request changes nothing but
    // the work.
    if (numbered != listing.disks.end() && listing.disks.size() > 1) {
        const core::ListingRequest one{.disk = numbered->number, .drive = {}};
        checkReading(core::checkListing(listing, one, format), listing, one, format);
    }

    // quorvane-cli: the same exit status in every form, the one the reading
    // calls for, and output in proportion to the input.
    const int expected = !all.error.empty() || !all.hasEntries() ? 1
                         : all.clean() && all.unread.empty()    ? 0
                                                                : 3;
    // About 40 bytes of JSON per byte of a listing of bare rows, the most
    // measured: twice that, so that output growing with the square of the
    // rows still breaks it.
    const std::size_t bound = 65536 + 96 * bytes.size();
    std::string out, err;
    const int json = runCli({"partinfo", "-", "--json"}, format, bytes, nullptr, out, err);
    QUORVANE_PROMISE(json == expected, std::to_string(json) + " " + err);
    QUORVANE_PROMISE(out.size() <= bound && err.size() <= bound, std::to_string(out.size()));
    if (!all.error.empty()) {
        QUORVANE_PROMISE(out.empty() && !err.empty(), err);
        return;
    }
    checkJsonDocument(out);
    const int text = runCli({"partinfo", "-"}, format, bytes, nullptr, out, err);
    QUORVANE_PROMISE(text == expected, std::to_string(text) + " " + err);
    QUORVANE_PROMISE(out.size() <= bound && err.size() <= bound, std::to_string(out.size()));
    const int batch = runCli({"partinfo", "-", "--batch-lines"}, format, bytes, nullptr, out, err);
    QUORVANE_PROMISE(batch == expected, std::to_string(batch) + " " + err);
    QUORVANE_PROMISE(out.size() <= bound && err.size() <= bound, std::to_string(out.size()));
}

}  // namespace quorvane::fuzz
