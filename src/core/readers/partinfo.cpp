#include "core/readers/partinfo.h"

namespace quorvane::core {

std::string_view listingLayoutName(ListingLayout layout) {
    return layout == ListingLayout::Nt ? "nt" : "dos";
}

std::string_view messageLevelName(MessageLevel level) {
    switch (level) {
        case MessageLevel::Error: return "Error";
        case MessageLevel::Warning: return "Warning";
        case MessageLevel::Info: break;
    }
    return "Info";
}

const ListingValue* ListingMessage::value(std::string_view) const { return nullptr; }
const std::string* BootRecord::field(std::string_view) const { return nullptr; }
std::optional<std::uint64_t> BootRecord::number(std::string_view) const { return std::nullopt; }

const BootRecord* bootRecordAt(const ListingDisk& disk, std::uint64_t start) {
    for (const BootRecord& record : disk.bootRecords)
        if (record.startingSector == start) return &record;
    return nullptr;
}

DecodedText decodeListingText(std::string_view bytes) { return {std::string(bytes), {}}; }

Listing readListing(std::string_view) {
    Listing listing;
    listing.error = "not read yet";
    return listing;
}

std::string unreadableListingText(std::string_view name, std::string_view reason) {
    return "Cannot read '" + std::string(name) + "' as a partinfo listing: " + std::string(reason) +
           ".";
}

}  // namespace quorvane::core
