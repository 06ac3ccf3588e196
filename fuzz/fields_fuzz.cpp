// The pages whose fields are typed text, on any text: each operation keeps
// what its header promises (a refused or failed click writes nothing where
// it says so, a report stays in proportion to what was typed), the numeric
// rules read and write numbers back consistently and throw only their own
// failures, and quorvane-cli's command of the same operation prints exactly
// the report box and says by its exit status whether the operation ran.
//
// Input: a byte of options (bit 0 the decimal comma, bits 1 to 6 the page
// and operation, bit 7 the Geometry page's active flag), then the texts of
// the page's fields in the page's order, each ended by the byte 0x1F; the
// fields the input does not reach keep the page's start values. DiviZedi
// takes the texts' characters as keys instead ("N" for "+/-", "E" for
// "CE"; characters that name no key are skipped), up to 512 of them.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/accessories/calculator.h"
#include "core/app/shell.h"
#include "core/wizards/hexvalue.h"
#include "fuzz/fuzz.h"

namespace quorvane::fuzz {

namespace {

using core::BasicError;
using core::NumberFormat;
using core::Outcome;
using core::Workspace;

constexpr char kFieldEnd = '\x1F';

// The largest magnitude whose decimal text of 15 digits reads back.
constexpr double kLargestWritten = 1.797693134862315e308;

// What one input may ask for, so that each stays fast under the sanitizers
// (a thrown failure costs tens of microseconds there): the texts read on
// their own beyond the page's fields, and DiviZedi's keys.
constexpr std::size_t kMostTexts = 32;
constexpr std::size_t kMostKeys = 512;

enum class Operation {
    BeginChsToLba, BeginLbaToChs, EndChsToLba, ChsToLba, Check,
    Error110, Error108, Bogus113, DynRoot, NtfsBbs, Fat32Bbs, DiviZedi,
    Count
};

// The failure codes the pages' operations end with.
bool knownFailure(int code) {
    return code == 0 || code == core::kInvalidArgument || code == core::kOverflow ||
           code == core::kDivisionByZero || code == core::kTypeMismatch;
}

std::vector<std::string> splitFields(std::string_view text) {
    std::vector<std::string> fields;
    while (!text.empty()) {
        const std::size_t end = text.find(kFieldEnd);
        fields.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return fields;
}

template <typename Fields>
void fill(core::TextFields<Fields> table, Fields& fields, const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < table.size() && i < texts.size(); ++i)
        fields.*table[i].member = texts[i];
}

// Every text field as the option that gives it to quorvane-cli.
template <typename Fields>
void addOptions(core::TextFields<Fields> table, const Fields& fields,
                std::vector<std::string>& args) {
    bool joined = false;  // both ways of giving a value, by turns
    for (const auto& field : table) {
        if ((joined = !joined)) {
            args.push_back("--" + std::string(field.name) + "=" + fields.*field.member);
        } else {
            args.push_back("--" + std::string(field.name));
            args.push_back(fields.*field.member);
        }
    }
}

// A value as quorvane-cli's --fields prints the wizard's state.
std::string shown(double value) { return core::decimalText(value, NumberFormat::point()); }

// readStrict, readLenient, the conversions to a byte and a long, the
// decimal texts and HexToDec on one field's text.
void checkNumeric(const std::string& text, const NumberFormat& format) {
    try {
        const double value = core::readStrict(text, format);
        QUORVANE_PROMISE(std::isfinite(value), text);
        const std::string written = core::decimalText(value, format);
        try {
            const double again = core::readStrict(written, format);
            QUORVANE_PROMISE(core::decimalText(again, format) == written, text + " -> " + written);
        } catch (const BasicError& error) {
            // Fifteen digits of a value within half a unit of the last digit
            // of the largest double round up past it ("1.79769313486232E+308"):
            // that text lies beyond the range, as the window has always
            // written it.
            QUORVANE_PROMISE(error.code == core::kOverflow && std::fabs(value) > kLargestWritten,
                             text + " -> " + written + ": " + std::to_string(error.code));
        }
        try {
            const std::string single = core::decimalTextSingle(value, format);
            QUORVANE_PROMISE(std::isfinite(core::readStrict(single, format)), single);
        } catch (const BasicError& error) {
            QUORVANE_PROMISE(error.code == core::kOverflow, text);
        }
        try {
            QUORVANE_PROMISE(core::toByte(value) == core::roundHalfEven(value), text);
        } catch (const BasicError& error) {
            QUORVANE_PROMISE(error.code == core::kOverflow, text);
        }
        try {
            QUORVANE_PROMISE(core::toLong(value) == core::roundHalfEven(value), text);
        } catch (const BasicError& error) {
            QUORVANE_PROMISE(error.code == core::kOverflow, text);
        }
    } catch (const BasicError& error) {
        QUORVANE_PROMISE(error.code == core::kTypeMismatch || error.code == core::kOverflow,
                         text + ": " + std::to_string(error.code));
    }
    try {
        const double value = core::readLenient(text);
        QUORVANE_PROMISE(std::isfinite(value), text);
    } catch (const BasicError& error) {
        QUORVANE_PROMISE(error.code == core::kOverflow, text + ": " + std::to_string(error.code));
    }

    std::string hex = text;
    double hexvalue = -1;
    const core::HexConversion conversion = core::hexToDec(hex, hexvalue, "the value");
    if (!conversion.accepted) {
        QUORVANE_PROMISE(hex == text && hexvalue == -1 && conversion.message && !conversion.cut,
                         text);
    } else {
        QUORVANE_PROMISE(conversion.value == hexvalue && conversion.value >= 0 &&
                             conversion.value < 281474976710656.0 &&
                             conversion.value == std::trunc(conversion.value),
                         text);
        QUORVANE_PROMISE(hex.size() <= core::kHexDigitLimit, text);
        QUORVANE_PROMISE(conversion.cut == conversion.message.has_value(), text);
    }
}

// What every operation keeps: a known failure code, few messages, and a
// report in proportion to what was typed.
void checkOutcome(const Outcome& outcome, const std::string& report, std::size_t inputSize,
                  std::string_view what) {
    QUORVANE_PROMISE(knownFailure(outcome.failure),
                     std::string(what) + ": " + std::to_string(outcome.failure));
    QUORVANE_PROMISE(outcome.messages.size() <= 2, what);
    for (const core::Message& message : outcome.messages)
        QUORVANE_PROMISE(!message.prompt.empty() && message.prompt.size() <= 1024 + 2 * inputSize,
                         message.prompt);
    QUORVANE_PROMISE(report.size() <= 16384 + 8 * inputSize,
                     std::string(what) + ": " + std::to_string(report.size()));
}

bool ranClean(const Outcome& outcome) { return outcome.completed() && outcome.messages.empty(); }

// quorvane-cli with the same fields prints the report box exactly and
// exits with `status`; with --fields, a completed operation adds the values
// it wrote, one name=value line each, after a line break of its own.
void checkCli(std::vector<std::string> args, const NumberFormat& format,
              const std::string& report, int status,
              const std::vector<std::pair<std::string, std::string>>& printed = {}) {
    if (!printed.empty()) {
        std::string expected = report;
        if (status == 0) {
            if (!report.empty() && !report.ends_with("\r\n")) expected += "\r\n";
            for (const auto& [name, value] : printed) expected += name + "=" + value + "\n";
        }
        std::vector<std::string> withFields = args;
        withFields.insert(withFields.end(), {"--fields", "--crlf"});
        if (format.decimal == ",") withFields.push_back("--decimal-comma");
        std::string out, err;
        const int exit = runCli(withFields, NumberFormat::point(), {}, nullptr, out, err);
        QUORVANE_PROMISE(exit == status && out == expected,
                         args.front() + " --fields: printed \"" + out + "\", expected \"" +
                             expected + "\"");
    }
    args.push_back("--crlf");
    if (format.decimal == ",") args.push_back("--decimal-comma");
    std::string out, err;
    const int exit = runCli(args, NumberFormat::point(), {}, nullptr, out, err);
    QUORVANE_PROMISE(out == report, args.front() + ": printed \"" + out + "\", report \"" +
                                        report + "\"");
    QUORVANE_PROMISE(exit == status, args.front() + ": exit " + std::to_string(exit) +
                                         ", expected " + std::to_string(status) + ": " + err);
    if (exit == 0) QUORVANE_PROMISE(err.empty(), err);
    else QUORVANE_PROMISE(!err.empty(), args.front());
}

// bLBA2bCHS's begin CHS, converted back by bCHS2bLBA, gives the start
// sector it came from, for every start sector a partition table can hold
// on a geometry of whole heads and sectors.
void checkBackToLba(const core::GeometryFields& fields, const std::string& lbastrt,
                    const NumberFormat& format) {
    const double lba = core::readStrict(lbastrt, format);
    const double heads = core::readStrict(fields.dgheads, format);
    const double sectors = core::readStrict(fields.dgsects, format);
    const auto whole = [](double v, double most) {
        return v == std::trunc(v) && v >= 1 && v <= most;
    };
    // (A start sector below 1 is tested as it stands: 1 added to 2.5E-324
    // gives a whole number.)
    const bool wholeLba = lba == std::trunc(lba) && lba >= 0 && lba <= 4294967295.0;
    if (!wholeLba || !whole(heads, 65536) || !whole(sectors, 65536)) return;
    core::GeometryFields back = fields;
    std::string report;
    const Outcome outcome = core::beginChsToLba(back, report, format);
    QUORVANE_PROMISE(ranClean(outcome), lbastrt + " -> " + fields.cyls + "/" + fields.heads +
                                            "/" + fields.sects);
    QUORVANE_PROMISE(back.lbastrt == core::decimalText(lba, format),
                     lbastrt + " -> " + fields.cyls + "/" + fields.heads + "/" + fields.sects +
                         " -> " + back.lbastrt);
}

// One of the four conversions: a refused or failed click leaves fields and
// report as they were; a completed one writes only its own fields.
void checkConversion(Workspace& w, Operation op, const NumberFormat& format,
                     std::size_t inputSize) {
    const core::GeometryFields before = w.geometry;
    const std::string reportBefore = w.report;
    Outcome outcome;
    std::string command;
    switch (op) {
        case Operation::BeginChsToLba:
            outcome = core::beginChsToLba(w.geometry, w.report, format);
            command = "bchs2blba";
            break;
        case Operation::BeginLbaToChs:
            outcome = core::beginLbaToChs(w.geometry, w.report, format);
            command = "blba2bchs";
            break;
        case Operation::EndChsToLba:
            outcome = core::endChsToLba(w.geometry, w.report, format);
            command = "echs2elba";
            break;
        default:
            outcome = core::chsToLba(w.geometry, format);
            command = "chs2lba";
            break;
    }
    checkOutcome(outcome, w.report, inputSize, command);
    if (!ranClean(outcome)) {
        QUORVANE_PROMISE(w.geometry == before && w.report == reportBefore, command);
    } else {
        // The fields the conversion writes, set back, give the page as it was.
        core::GeometryFields written = w.geometry;
        switch (op) {
            case Operation::BeginChsToLba: written.lbastrt = before.lbastrt; break;
            case Operation::BeginLbaToChs:
                written.cyls = before.cyls;
                written.heads = before.heads;
                written.sects = before.sects;
                break;
            case Operation::EndChsToLba: written.LBAend = before.LBAend; break;
            default:
                written.lbastrt = before.lbastrt;
                written.LBAend = before.LBAend;
                QUORVANE_PROMISE(w.report == reportBefore, command);
                break;
        }
        QUORVANE_PROMISE(written == before, command);
        if (op == Operation::BeginLbaToChs) checkBackToLba(w.geometry, before.lbastrt, format);
    }
    std::vector<std::string> args = {command};
    addOptions(core::geometryTextFields(), before, args);
    if (before.Optact) args.push_back("--active");
    // quorvane-cli starts from an empty report box.
    const bool writesReport = ranClean(outcome) && op != Operation::ChsToLba;
    std::vector<std::pair<std::string, std::string>> printed;
    const core::GeometryFields& g = w.geometry;
    switch (op) {
        case Operation::BeginChsToLba: printed = {{"lbastrt", g.lbastrt}}; break;
        case Operation::BeginLbaToChs:
            printed = {{"cyls", g.cyls}, {"heads", g.heads}, {"sects", g.sects}};
            break;
        case Operation::EndChsToLba: printed = {{"LBAend", g.LBAend}}; break;
        default: printed = {{"lbastrt", g.lbastrt}, {"LBAend", g.LBAend}}; break;
    }
    checkCli(args, format, writesReport ? w.report : std::string(), ranClean(outcome) ? 0 : 1,
             printed);
}

void checkEntryCheck(Workspace& w, const NumberFormat& format, std::size_t inputSize) {
    const core::GeometryFields before = w.geometry;
    const Outcome outcome = core::checkGeometryEntry(w, format);
    checkOutcome(outcome, w.report, inputSize, "check");
    core::GeometryFields written = w.geometry;
    written.prtsct = before.prtsct;
    written.relcyl = before.relcyl;
    QUORVANE_PROMISE(written == before, "check");
    // A check that stops leaves the empty report or the whole one; an entry
    // that cannot go into a batch says why on the report's last line.
    constexpr std::string_view kReportStart = "*Startsector consistency check: ";
    if (!outcome.completed()) {
        QUORVANE_PROMISE(w.check.verdict == core::CheckVerdict::Reset && w.check.editline.empty(),
                         "check");
        QUORVANE_PROMISE(w.report.empty() || w.report.starts_with(kReportStart), w.report);
    } else {
        QUORVANE_PROMISE(w.report.starts_with(kReportStart), w.report);
        if (w.check.verdict == core::CheckVerdict::Reset)
            QUORVANE_PROMISE(w.report.substr(w.report.rfind('\n') + 1).starts_with("*batch: "),
                             w.report);
    }
    if (w.check.verdict != core::CheckVerdict::Accepted &&
        w.check.verdict != core::CheckVerdict::Errors)
        QUORVANE_PROMISE(w.check.editline.empty(), "check");
    else
        QUORVANE_PROMISE((w.check.verdict == core::CheckVerdict::Errors) == !w.check.failed.empty(),
                         "check");
    // The line goes into a batch file that the command interpreter runs:
    // plain words of letters and digits, "*" and "-" only.
    for (const char c : w.check.editline)
        QUORVANE_PROMISE((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                             (c >= 'A' && c <= 'Z') || c == ' ' || c == '*' || c == '-',
                         w.check.editline);
    for (const int code : w.check.failed)
        QUORVANE_PROMISE(std::find(core::kCheckCodes.begin(), core::kCheckCodes.end(), code) !=
                             core::kCheckCodes.end(),
                         std::to_string(code));
    QUORVANE_PROMISE(std::is_sorted(w.check.failed.begin(), w.check.failed.end()), "check");
    int status = 1;
    if (ranClean(outcome))
        status = w.check.verdict == core::CheckVerdict::Accepted ? 0
                 : w.check.verdict == core::CheckVerdict::Errors ? 3
                                                                 : 1;
    std::vector<std::string> args = {"check"};
    addOptions(core::geometryTextFields(), before, args);
    if (before.Optact) args.push_back("--active");
    std::string out, err;
    args.push_back("--crlf");
    if (format.decimal == ",") args.push_back("--decimal-comma");
    const int exit = runCli(args, NumberFormat::point(), {}, nullptr, out, err);
    QUORVANE_PROMISE(out == w.report, "check: printed \"" + out + "\"");
    QUORVANE_PROMISE(exit == status, "check: exit " + std::to_string(exit) + ", expected " +
                                         std::to_string(status) + ": " + err);
}

NumberFormat otherFormat(const NumberFormat& format) {
    return format.decimal == "," ? NumberFormat::point() : NumberFormat::comma();
}

// Whether two reports differ at most in the decimal separators of their
// numbers (neither format groups the digits it writes).
bool sameButSeparators(std::string a, std::string b) {
    std::replace(a.begin(), a.end(), ',', '.');
    std::replace(b.begin(), b.end(), ',', '.');
    return a == b;
}

// A page calculation whose fields stay as typed: `keepsReport` where a
// failure leaves the report as it was, otherwise a failure leaves it empty;
// `formatFree` where the page reads its fields whatever the number format.
template <typename Fields>
void checkCalculation(Workspace& w, Fields Workspace::*page, core::TextFields<Fields> table,
                      Outcome (*calculate)(const Fields&, std::string&, const NumberFormat&),
                      const std::string& command, bool keepsReport, bool formatFree,
                      const NumberFormat& format, std::size_t inputSize) {
    const Fields before = w.*page;
    const std::string reportBefore = w.report;
    const Outcome outcome = calculate(w.*page, w.report, format);
    checkOutcome(outcome, w.report, inputSize, command);
    QUORVANE_PROMISE(w.*page == before, command);
    if (!ranClean(outcome))
        QUORVANE_PROMISE(w.report == (keepsReport ? reportBefore : std::string()),
                         command + ": \"" + w.report + "\"");
    if (formatFree) {
        // The page reads its fields the same in either number format; only
        // the numbers it writes take the user's decimal separator.
        std::string otherReport = reportBefore;
        const Outcome other = calculate(before, otherReport, otherFormat(format));
        QUORVANE_PROMISE(other.failure == outcome.failure && other.messages == outcome.messages &&
                             sameButSeparators(otherReport, w.report),
                         command + ": \"" + w.report + "\", in the other format \"" +
                             otherReport + "\"");
    }
    std::vector<std::string> args = {command};
    addOptions(table, before, args);
    // quorvane-cli starts from an empty report box.
    checkCli(args, format, !ranClean(outcome) && keepsReport ? std::string() : w.report,
             ranClean(outcome) ? 0 : 1);
}

void checkDynRoot(Workspace& w, const NumberFormat& format, std::size_t inputSize) {
    w.report = core::dynRootStartText();
    const core::DynRootFields fields = w.dynroot;
    const core::DynRootState stateBefore = w.dynrootState;
    const Outcome root = core::calculateRoot(w.dynroot, w.dynrootState, w.report, format);
    checkOutcome(root, w.report, inputSize, "calculate root");
    QUORVANE_PROMISE(w.dynroot == fields, "calculate root");
    if (!root.completed())
        QUORVANE_PROMISE(w.report == core::dynRootStartText() && w.dynrootState == stateBefore,
                         "calculate root");
    const std::string rootReport = w.report;
    const core::DynRootState rootState = w.dynrootState;
    const Outcome copy = core::calculateCopy(w.dynroot, w.dynrootState, w.report, format);
    checkOutcome(copy, w.report, inputSize, "calculate");
    QUORVANE_PROMISE(w.dynroot == fields, "calculate");
    if (!copy.completed())
        QUORVANE_PROMISE(w.report == rootReport && w.dynrootState == rootState, "calculate");
    if (!root.completed())
        QUORVANE_PROMISE(!copy.completed() && !copy.messages.empty(), "calculate");

    // The values are hexadecimal in either number format.
    core::DynRootState otherState;
    std::string otherReport = core::dynRootStartText();
    const Outcome otherRoot =
        core::calculateRoot(fields, otherState, otherReport, otherFormat(format));
    const Outcome otherCopy =
        core::calculateCopy(fields, otherState, otherReport, otherFormat(format));
    QUORVANE_PROMISE(otherRoot.failure == root.failure && otherRoot.messages == root.messages &&
                         otherCopy.failure == copy.failure &&
                         otherCopy.messages == copy.messages && otherState == w.dynrootState &&
                         sameButSeparators(otherReport, w.report),
                     "dynroot in the other format");

    // quorvane-cli runs "Calculate" after a completed "Calculate root" only.
    Outcome both = root;
    if (root.completed()) {
        both.failure = copy.failure;
        both.messages.insert(both.messages.end(), copy.messages.begin(), copy.messages.end());
    }
    std::vector<std::string> args = {"dynroot"};
    addOptions(core::dynRootTextFields(), fields, args);
    const core::DynRootState& state = w.dynrootState;
    checkCli(args, format, root.completed() ? w.report : std::string(), ranClean(both) ? 0 : 1,
             {{"rootstart", shown(state.rootstart)},
              {"rootend", shown(state.rootend)},
              {"rootspan", shown(state.rootspan)},
              {"clustsects", shown(state.clustsects)}});
}

void checkDiviZedi(std::string_view keysText, const NumberFormat& format, std::size_t inputSize) {
    using Key = core::Calculator::Key;
    core::Calculator calculator(format);
    std::vector<std::string> args = {"divizedi"};
    Outcome all;
    for (const char c : keysText) {
        if (args.size() > kMostKeys) break;
        const std::string caption = c == 'N' ? "+/-" : c == 'E' ? "CE" : std::string(1, c);
        const std::optional<Key> key = core::Calculator::keyFor(caption, format);
        if (!key) continue;
        args.push_back(caption);
        const Outcome outcome = calculator.press(*key);
        checkOutcome(outcome, calculator.display(), inputSize, "divizedi");
        const bool canFail = *key == Key::Add || *key == Key::Subtract ||
                             *key == Key::Multiply || *key == Key::Divide ||
                             *key == Key::Power || *key == Key::Equals;
        if (!canFail) QUORVANE_PROMISE(ranClean(outcome), caption);
        if (!outcome.completed())
            QUORVANE_PROMISE(outcome.messages.size() == 1 &&
                                 outcome.messages[0].title == core::kDiviZediTitle,
                             caption);
        else QUORVANE_PROMISE(outcome.messages.empty(), caption);
        if (!outcome.completed()) all.failure = outcome.failure;
        all.messages.insert(all.messages.end(), outcome.messages.begin(), outcome.messages.end());
    }
    checkCli(args, format, calculator.display(), ranClean(all) ? 0 : 1);
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
    if (input.empty()) return;
    const std::uint8_t options = input[0];
    const NumberFormat format = pickFormat(options);
    const auto op = static_cast<Operation>(((options >> 1) & 0x3F) %
                                           static_cast<int>(Operation::Count));
    const std::string_view rest = asText(input.subspan(1));
    const std::vector<std::string> texts = splitFields(rest);
    const std::size_t size = input.size();

    for (std::size_t i = 0; i < texts.size() && i < kMostTexts; ++i) checkNumeric(texts[i], format);

    // A report from an earlier click, which a failed one must keep or empty.
    Workspace w;
    w.report = "Earlier report\r\n";
    switch (op) {
        case Operation::BeginChsToLba:
        case Operation::BeginLbaToChs:
        case Operation::EndChsToLba:
        case Operation::ChsToLba:
            fill(core::geometryTextFields(), w.geometry, texts);
            w.geometry.Optact = (options & 0x80) != 0;
            checkConversion(w, op, format, size);
            break;
        case Operation::Check:
            fill(core::geometryTextFields(), w.geometry, texts);
            w.geometry.Optact = (options & 0x80) != 0;
            checkEntryCheck(w, format, size);
            break;
        case Operation::Error110:
            fill(core::error110TextFields(), w.error110, texts);
            checkCalculation(w, &Workspace::error110, core::error110TextFields(),
                             core::calculateError110, "error110", true, true, format, size);
            break;
        case Operation::Error108:
            fill(core::error108TextFields(), w.error108, texts);
            checkCalculation(w, &Workspace::error108, core::error108TextFields(),
                             core::calculateError108, "error108", false, true, format, size);
            break;
        case Operation::Bogus113:
            fill(core::bogus113TextFields(), w.bogus113, texts);
            checkCalculation(w, &Workspace::bogus113, core::bogus113TextFields(),
                             core::calculateBogus113, "bogus113", false, false, format, size);
            break;
        case Operation::DynRoot:
            fill(core::dynRootTextFields(), w.dynroot, texts);
            checkDynRoot(w, format, size);
            break;
        case Operation::NtfsBbs:
            fill(core::ntfsBbsTextFields(), w.ntfsbbs, texts);
            checkCalculation(w, &Workspace::ntfsbbs, core::ntfsBbsTextFields(),
                             core::calculateNtfsBbs, "ntfs-bbs", true, true, format, size);
            break;
        case Operation::Fat32Bbs:
            fill(core::fat32BbsTextFields(), w.fat32bbs, texts);
            checkCalculation(w, &Workspace::fat32bbs, core::fat32BbsTextFields(),
                             core::calculateFat32Bbs, "fat32-bbs", true, true, format, size);
            break;
        case Operation::DiviZedi:
        case Operation::Count:
            checkDiviZedi(rest, format, size);
            break;
    }
}

}  // namespace quorvane::fuzz
