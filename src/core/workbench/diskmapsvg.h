// The disk map as an SVG picture, for quorvane-cli and for a saved map:
// the map's own geometry drawn in fixed colours that read well on white,
// each segment one group whose title holds the words a screen reader
// hears, the table sectors' marks, the hatched overlaps and the legend
// below.
#pragma once

#include <string>
#include <string_view>

#include "core/workbench/diskmap.h"

namespace quorvane::core {

// The whole SVG document (UTF-8, no XML declaration needed). `title`, when
// not empty, is the picture's title, written above the map ("Disk 1").
std::string diskMapSvg(const DiskMap& map, std::string_view title = {});

// The fill of a colour class in the SVG: "#9ccc65".
std::string_view svgFill(MapColour colour);

}  // namespace quorvane::core
