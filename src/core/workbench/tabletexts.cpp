#include "core/workbench/tabletexts.h"

namespace quorvane::core {

namespace {

std::string number(std::uint64_t value) { return std::to_string(value); }

}  // namespace

std::string chsText(const Chs& chs) {
    return number(chs.cylinder) + "/" + number(chs.head) + "/" + number(chs.sector);
}

std::string geometryText(const DriveGeometry& g) {
    return number(g.cylinders) + "/" + number(g.heads) + "/" + number(g.sectors);
}

std::string geometrySourceText(const DriveGeometry& g, Wording wording) {
    std::string text(geometrySourceName(g.source));
    if (wording == Wording::Phrase) {
        switch (g.source) {
            case GeometrySource::Given: break;
            case GeometrySource::Guessed: text = "guessed from the table"; break;
            case GeometrySource::Default:
                text = "the default, as the table fits no geometry";
                break;
            case GeometrySource::Listing: text = "from the listing"; break;
        }
    }
    if (g.cylinderSource == CylinderSource::TableExtent)
        text += "; " + std::string(kCylindersFromExtent);
    return text;
}

std::string_view noFindingsText(Wording wording) {
    return wording == Wording::Word ? "none" : "None: the entries agree with each other.";
}

std::string failedChecksText(const CheckedEntry& c) {
    if (!c.checkCompleted) return "check stopped";
    if (c.failedChecks.empty()) return "none";
    std::string text;
    for (const int code : c.failedChecks) text += (text.empty() ? "#" : ", #") + number(code);
    return text;
}

std::string entryHeader(const CheckedEntry& c) {
    const TableEntry& e = c.entry;
    std::string text = e.number ? "Partition " + number(*e.number) : "Link entry";
    text += ": table sector " + number(e.tableSector) + ", slot " + number(e.slot) + ", type " +
            typeCodeText(e.type);
    if (e.role == EntryRole::Extended) text += ", extended";
    return text + (e.active() ? ", active" : ", not active");
}

std::string listingMessageText(const ListingMessage& m) {
    std::string text(messageLevelName(m.level));
    if (m.code) text += " #" + number(*m.code);
    text += ": " + m.text;
    std::string values;
    for (const ListingValue& v : m.values) {
        values += (values.empty() ? "" : "; ") + v.name + " = " + v.value;
        if (!v.expected.empty()) values += ", expected " + v.expected;
    }
    return values.empty() ? text : text + " [" + values + "]";
}

}  // namespace quorvane::core
