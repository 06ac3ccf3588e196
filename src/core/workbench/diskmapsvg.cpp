#include "core/workbench/diskmapsvg.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace quorvane::core {

namespace {

constexpr double kMargin = 8;
constexpr double kTitleHeight = 22;
constexpr double kLegendGap = 14;
constexpr double kLegendLine = 20;
constexpr double kSwatch = 14;
constexpr double kLegendWidth = 440;  // room for the longest legend text
constexpr double kFontSize = 11;
constexpr double kCharWidth = 6.5;    // an estimate of one character's width at kFontSize
constexpr double kWarningSize = 12;

// A coordinate in the C locale whatever the process's locale: at most
// four decimals, no trailing zeros.
std::string num(double value) {
    if (std::fabs(value) < 0.00005) value = 0;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                // Control characters are not allowed in XML 1.0.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') out += ' ';
                else out += c;
        }
    }
    return out;
}

// The number of characters of a UTF-8 text.
std::size_t characters(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string rect(double x, double y, double w, double h, std::string_view attributes) {
    return "<rect x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\"" + num(w) + "\" height=\"" +
           num(h) + "\" " + std::string(attributes) + "/>";
}

// The warning mark: a yellow triangle with "!" in a corner of the box.
std::string warningMark(double x, double y) {
    const double s = kWarningSize;
    return "<polygon class=\"warning\" points=\"" + num(x + s / 2) + "," + num(y) + " " +
           num(x + s) + "," + num(y + s) + " " + num(x) + "," + num(y + s) +
           "\" fill=\"#ffd600\" stroke=\"#000000\"/><text x=\"" + num(x + s / 2) + "\" y=\"" +
           num(y + s - 2) + "\" font-size=\"9\" text-anchor=\"middle\">!</text>";
}

}  // namespace

std::string_view svgFill(MapColour colour) {
    switch (colour) {
        case MapColour::Fat: return "#9ccc65";
        case MapColour::Ntfs: return "#64b5f6";
        case MapColour::Linux: return "#ffb74d";
        case MapColour::LinuxSwap: return "#e57373";
        case MapColour::Extended: return "#e0f2f1";
        case MapColour::Protective: return "#ce93d8";
        case MapColour::Other: return "#bdbdbd";
        case MapColour::Unallocated: return "#ffffff";
        case MapColour::BeyondDisk: return "#ffcdd2";
    }
    return "#bdbdbd";
}

std::string diskMapSvg(const DiskMap& map, std::string_view title) {
    const double top = kMargin + (title.empty() ? 0 : kTitleHeight);
    const double legendTop = top + map.height + kLegendGap;
    const double width = std::max(map.width, kLegendWidth) + 2 * kMargin;
    const double height =
        legendTop + static_cast<double>(map.legend.size()) * kLegendLine + kMargin;

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(width) +
                      "\" height=\"" + num(height) + "\" viewBox=\"0 0 " + num(width) + " " +
                      num(height) + "\" font-family=\"sans-serif\" font-size=\"" +
                      num(kFontSize) + "\">\n";
    svg += "<defs><pattern id=\"hatch\" width=\"6\" height=\"6\" patternUnits=\"userSpaceOnUse\" "
           "patternTransform=\"rotate(45)\"><line x1=\"0\" y1=\"0\" x2=\"0\" y2=\"6\" "
           "stroke=\"#000000\" stroke-width=\"1.5\"/></pattern></defs>\n";
    svg += rect(0, 0, width, height, "fill=\"#ffffff\"") + "\n";
    if (!title.empty())
        svg += "<title>" + escaped(title) + "</title>\n<text x=\"" + num(kMargin) + "\" y=\"" +
               num(kMargin + 15) + "\" font-size=\"14\">" + escaped(title) + "</text>\n";

    for (const std::size_t i : paintOrder(map)) {
        const MapSegment& s = map.segments[i];
        const double x = kMargin + s.x, y = top + s.y;
        svg += "<g class=\"segment " + std::string(mapColourName(s.colour)) + "\">";
        svg += "<title>" + escaped(s.spoken) + "</title>";
        std::string look = "fill=\"" + std::string(svgFill(s.colour)) + "\" stroke=\"";
        look += s.kind == SegmentKind::Extended     ? "#00695c\" stroke-width=\"2\""
                : s.kind == SegmentKind::BeyondDisk ? "#c62828\" stroke-dasharray=\"4 3\""
                : s.kind == SegmentKind::Unallocated ? "#757575\" stroke-dasharray=\"2 2\""
                                                     : "#212121\"";
        svg += rect(x, y, s.width, s.height, look);
        for (const MapOverlap& o : map.overlaps) {
            if (!std::binary_search(o.segments.begin(), o.segments.end(), i)) continue;
            const double from = std::max(s.x, o.x), to = std::min(s.x + s.width, o.x + o.width);
            if (to > from) svg += rect(kMargin + from, y, to - from, s.height, "fill=\"url(#hatch)\"");
        }
        // A frame's label stands in its top margin only when there is room;
        // everyone else's in the middle when it fits.
        // The warning mark takes a corner: a centred label keeps clear of it.
        const double labelWidth = static_cast<double>(characters(s.label)) * kCharWidth + 6 +
                                  (s.warning ? 2 * kWarningSize : 0);
        const bool frame = s.kind == SegmentKind::Extended;
        if (!s.label.empty() && labelWidth <= s.width && s.height >= kFontSize + 4 && !frame)
            svg += "<text x=\"" + num(x + s.width / 2) + "\" y=\"" + num(y + s.height / 2 + 4) +
                   "\" text-anchor=\"middle\">" + escaped(s.label) + "</text>";
        if (s.warning && s.width >= kWarningSize) svg += warningMark(x + s.width - kWarningSize, y);
        svg += "</g>\n";
    }

    if (map.diskEndX < map.width)
        svg += "<line class=\"disk-end\" x1=\"" + num(kMargin + map.diskEndX) + "\" y1=\"" +
               num(top - 4) + "\" x2=\"" + num(kMargin + map.diskEndX) + "\" y2=\"" +
               num(top + map.height + 4) + "\" stroke=\"#c62828\" stroke-width=\"2\"/>\n";
    for (const MapMark& m : map.marks)
        svg += "<line class=\"table-sector\" x1=\"" + num(kMargin + m.x) + "\" y1=\"" +
               num(top + m.y) + "\" x2=\"" + num(kMargin + m.x) + "\" y2=\"" +
               num(top + m.y + m.height) + "\" stroke=\"#000000\" stroke-width=\"2\"><title>" +
               escaped(m.spoken) + "</title></line>\n";

    svg += "<g class=\"legend\">";
    double y = legendTop;
    for (const LegendItem& item : map.legend) {
        const double x = kMargin;
        switch (item.symbol) {
            case LegendSymbol::Colour:
                svg += rect(x, y, kSwatch, kSwatch,
                            "fill=\"" + std::string(svgFill(item.colour)) + "\" stroke=\"#212121\"");
                break;
            case LegendSymbol::TableSector:
                svg += "<line x1=\"" + num(x + kSwatch / 2) + "\" y1=\"" + num(y) + "\" x2=\"" +
                       num(x + kSwatch / 2) + "\" y2=\"" + num(y + kSwatch) +
                       "\" stroke=\"#000000\" stroke-width=\"2\"/>";
                break;
            case LegendSymbol::Warning: svg += warningMark(x + 1, y + 1); break;
            case LegendSymbol::Overlap:
                svg += rect(x, y, kSwatch, kSwatch, "fill=\"url(#hatch)\" stroke=\"#212121\"");
                break;
        }
        svg += "<text x=\"" + num(x + kSwatch + 6) + "\" y=\"" + num(y + kSwatch - 3) + "\">" +
               escaped(item.text) + "</text>";
        y += kLegendLine;
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace quorvane::core
