// libFuzzer's entry point for every target, and what the targets share.
#include "fuzz/fuzz.h"

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "core/base/characters.h"
#include "tests/support/jsonparse.h"

namespace quorvane::fuzz {

namespace {

// The slowest input of the run: its processor time, and (when QUORVANE_FUZZ_SLOWEST
// names a file) its bytes in that file, for scripts/fuzz to time again. The
// time is printed when the run ends; with QUORVANE_FUZZ_EACH set, every
// input's time as it ends.
struct Slowest {
    double milliseconds = 0;
    bool each = std::getenv("QUORVANE_FUZZ_EACH") != nullptr;

    ~Slowest() { std::fprintf(stderr, "quorvane-fuzz: slowest input %.1f ms\n", milliseconds); }

    void offer(double ms, std::span<const std::uint8_t> input) {
        if (each) std::fprintf(stderr, "quorvane-fuzz: input took %.1f ms\n", ms);
        if (ms <= milliseconds) return;
        milliseconds = ms;
        if (const char* path = std::getenv("QUORVANE_FUZZ_SLOWEST"))
            std::ofstream(path, std::ios::binary | std::ios::trunc)
                .write(reinterpret_cast<const char*>(input.data()),
                       static_cast<std::streamsize>(input.size()));
    }
};

Slowest slowest;

// An image a command opens, handed over without giving up the target's own.
class Borrowed : public core::DiskImage {
public:
    explicit Borrowed(core::DiskImage& image) : image_(image) {}
    std::uint64_t size() const override { return image_.size(); }
    std::optional<std::string> readSector(std::uint64_t sector, core::SectorBytes& bytes) override {
        return image_.readSector(sector, bytes);
    }

private:
    core::DiskImage& image_;
};

// Whether `text` is valid UTF-8 throughout.
bool validUtf8(std::string_view text) {
    char32_t code = 0;
    for (std::size_t at = 0, length = 0; at < text.size(); at += length)
        if ((length = core::utf8Sequence(text, at, code)) == 0) return false;
    return true;
}

void checkKeysDistinct(const test::Json& value) {
    std::set<std::string> keys;
    for (const auto& [key, member] : value.object) {
        QUORVANE_PROMISE(keys.insert(key).second, key);
        checkKeysDistinct(member);
    }
    for (const test::Json& item : value.array) checkKeysDistinct(item);
}

// The page's operation on the workspace; on DYN_ROOT "Calculate root", then
// "Calculate" where the choice gives the start cluster (a listing does not).
core::Outcome runPage(const core::PageChoice& choice, core::Workspace& w,
                      const core::NumberFormat& f) {
    switch (choice.page) {
        case core::ListingPage::Error110: return core::calculateError110(w.error110, w.report, f);
        case core::ListingPage::Error108: return core::calculateError108(w.error108, w.report, f);
        case core::ListingPage::Bogus113: return core::calculateBogus113(w.bogus113, w.report, f);
        case core::ListingPage::Fat32Bbs: return core::calculateFat32Bbs(w.fat32bbs, w.report, f);
        case core::ListingPage::NtfsBbs: return core::calculateNtfsBbs(w.ntfsbbs, w.report, f);
        case core::ListingPage::DynRoot: {
            core::Outcome root = core::calculateRoot(w.dynroot, w.dynrootState, w.report, f);
            if (!root.completed() || !root.messages.empty() || w.dynroot.dynrootstart.empty())
                return root;
            return core::calculateCopy(w.dynroot, w.dynrootState, w.report, f);
        }
    }
    return {};
}

}  // namespace

void broken(std::string_view promise, std::string_view detail) {
    std::fprintf(stderr, "quorvane-fuzz: promise broken: %.*s\n", static_cast<int>(promise.size()),
                 promise.data());
    if (!detail.empty())
        std::fprintf(stderr, "quorvane-fuzz: %.*s\n", static_cast<int>(detail.size()),
                     detail.data());
    std::abort();
}

core::NumberFormat pickFormat(std::uint8_t choice) {
    return choice & 1 ? core::NumberFormat::comma() : core::NumberFormat::point();
}

std::uint64_t littleEndianAt(std::span<const std::uint8_t> input, std::size_t at,
                             std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes; i-- > 0;)
        value = value << 8 | (at + i < input.size() ? input[at + i] : 0);
    return value;
}

SparseImage::SparseImage(std::span<const std::uint8_t> input) : size_(littleEndianAt(input, 0, 8)) {
    for (std::size_t at = 8; at < input.size(); at += kRecordBytes) {
        const std::uint64_t number = littleEndianAt(input, at, 8);
        const std::uint64_t sector = number & ~kFailBit;
        core::SectorBytes bytes{};
        const std::size_t from = std::min(input.size(), at + 8);
        const std::size_t to = std::min(input.size(), at + kRecordBytes);
        std::copy(input.begin() + static_cast<std::ptrdiff_t>(from),
                  input.begin() + static_cast<std::ptrdiff_t>(to), bytes.begin());
        sectors_[sector] = {bytes, (number & kFailBit) != 0};
    }
}

core::SectorBytes SparseImage::sectorAt(std::uint64_t sector) const {
    const auto found = sectors_.find(sector);
    return found == sectors_.end() ? core::SectorBytes{} : found->second.bytes;
}

std::optional<std::string> SparseImage::readSector(std::uint64_t sector, core::SectorBytes& bytes) {
    ++reads_;
    if (const auto found = sectors_.find(sector); found != sectors_.end() && found->second.failing)
        return "Input/output error";
    bytes = sectorAt(sector);
    return std::nullopt;
}

void checkJsonDocument(std::string_view document) {
    QUORVANE_PROMISE(!document.empty() && document.back() == '\n', document);
    const std::string_view body = document.substr(0, document.size() - 1);
    QUORVANE_PROMISE(body.find('\n') == std::string_view::npos, document);
    QUORVANE_PROMISE(validUtf8(body), document);
    try {
        const test::Json parsed = test::parseJson(body);
        QUORVANE_PROMISE(parsed.kind == test::Json::Kind::Object, document);
        checkKeysDistinct(parsed);
    } catch (const std::runtime_error& error) {
        broken("the JSON document parses", std::string(error.what()) + ": " + std::string(body));
    }
}

void checkPageChoices(const std::vector<core::PageChoice>& choices,
                      const core::NumberFormat& format) {
    for (const core::PageChoice& choice : choices) {
        const std::string label(choice.label);
        if (!choice.available()) {
            QUORVANE_PROMISE(choice.fields.empty(), label);
            continue;
        }
        QUORVANE_PROMISE(!choice.fields.empty(), label);
        core::Workspace workspace;
        core::usePageChoice(workspace, choice);
        const core::Outcome outcome = runPage(choice, workspace, format);
        std::string values;
        for (const auto& [name, text] : choice.fields)
            values += " " + std::string(name) + "=" + text;
        QUORVANE_PROMISE(outcome.completed() && outcome.messages.empty(),
                         label + ":" + values + (outcome.messages.empty()
                                                     ? " failure " + std::to_string(outcome.failure)
                                                     : " says " + outcome.messages[0].prompt));
        QUORVANE_PROMISE(!workspace.report.empty(), label + ":" + values);
    }
}

int runCli(const std::vector<std::string>& args, const core::NumberFormat& format,
           std::string_view in, core::DiskImage* image, std::string& out, std::string& err) {
    std::istringstream input{std::string(in)};
    std::ostringstream output, errors;
    const cli::ImageOpener open = [image](const std::string&) {
        platform::OpenedImage opened;
        if (image) opened.image = std::make_unique<Borrowed>(*image);
        else opened.error = "no image";
        return opened;
    };
    const int status = cli::run(args, format, input, output, errors, open);
    out = output.str();
    err = errors.str();
    return status;
}

}  // namespace quorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The time the input costs this thread's processor, so that what else
    // the machine runs does not make an input slow.
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    const double start = now();
    const std::span<const std::uint8_t> input(data, size);
    quorvane::fuzz::fuzzOne(input);
    quorvane::fuzz::slowest.offer(now() - start, input);
    return 0;
}
