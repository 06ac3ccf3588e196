#include "platform/listingfile_std.h"

#include <algorithm>
#include <filesystem>

#include "core/readers/partinfo.h"
#include "platform/diskimage_std.h"
#include "platform/path.h"

namespace quorvane::platform {

namespace {

ListingFile refused(std::string reason) { return {{}, std::move(reason)}; }

std::string notAListingReason(core::NotAFile kind) {
    switch (kind) {
        case core::NotAFile::Directory: return "it is a directory, not a listing";
        case core::NotAFile::Device:
            return "it is a device, not a listing: save the listing to a file first";
        case core::NotAFile::Pipe:
            return "it is a pipe: give the listing on standard input instead (-)";
        case core::NotAFile::Other: break;
    }
    return "it is no regular file, not a listing";
}

}  // namespace

ListingFile readListingFile(const std::string& path) {
    const std::filesystem::path file = pathFromUtf8(path);
    if (auto reason = notARegularFile(file, notAListingReason)) return refused(std::move(*reason));
    // Opened as an image: the size from the opened file, then its bytes
    // read sector by sector with the system's positioned reads.
    OpenedImage opened = openRegularFile(file);
    if (!opened.image) return refused(std::move(opened.error));
    const std::uint64_t size = opened.image->size();
    if (size > core::kMaxListingBytes) return refused(core::listingTooLargeReason());
    ListingFile listing;
    listing.bytes.reserve(static_cast<std::size_t>(size));
    core::SectorBytes sector{};
    for (std::uint64_t at = 0; at < size; at += core::kSectorBytes) {
        if (const auto failure = opened.image->readSector(at / core::kSectorBytes, sector))
            return refused("it cannot be read (" + *failure + ")");
        const auto length = static_cast<std::size_t>(
            std::min<std::uint64_t>(core::kSectorBytes, size - at));
        listing.bytes.append(reinterpret_cast<const char*>(sector.data()), length);
    }
    return listing;
}

ListingFile readListingStream(std::istream& in) {
    ListingFile listing;
    std::string chunk(64 * 1024, '\0');
    while (in && listing.bytes.size() <= core::kMaxListingBytes) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        listing.bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (listing.bytes.size() > core::kMaxListingBytes) return refused(core::listingTooLargeReason());
    return listing;
}

}  // namespace quorvane::platform
