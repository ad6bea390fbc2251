#include "view/core/graph_export.h"

#include <cctype>

namespace tavo {

std::optional<GraphFileFormat> GraphFormatOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return std::nullopt;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const GraphFileFormat f :
         {GraphFileFormat::Png, GraphFileFormat::Svg, GraphFileFormat::Pdf})
        if (ext == GraphFormatExtension(f))
            return f;
    return std::nullopt;
}

const char* GraphFormatExtension(GraphFileFormat format) {
    switch (format) {
    case GraphFileFormat::Svg:
        return "svg";
    case GraphFileFormat::Pdf:
        return "pdf";
    case GraphFileFormat::Png:
        break;
    }
    return "png";
}

const char* GraphFormatFilter(GraphFileFormat format) {
    switch (format) {
    case GraphFileFormat::Svg:
        return "SVG drawing";
    case GraphFileFormat::Pdf:
        return "PDF page";
    case GraphFileFormat::Png:
        break;
    }
    return "PNG picture";
}

bool IsGraphSizeAllowed(int width, int height) {
    return width >= kMinGraphSide && height >= kMinGraphSide && width <= kMaxGraphSide &&
           height <= kMaxGraphSide;
}

std::string GraphFileName(const std::string& title, GraphFileFormat format) {
    std::string base = title.empty() ? std::string("graph") : title;
    const std::size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > 0)
        base.resize(dot);
    return base + "." + GraphFormatExtension(format);
}

} // namespace tavo
