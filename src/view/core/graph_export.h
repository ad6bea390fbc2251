#pragma once
// The rules of File > Export Graph: the three file formats, the sizes a picture may
// have, and the name the file chooser proposes. The picture itself is drawn by the
// graph's one drawing (view/paint), as `tavokit-cli render` draws it.

#include <optional>
#include <string>

namespace tavo {

// PNG and SVG carry the window's picture at a client size; PDF the printed page of it.
enum class GraphFileFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (any letter case), if any.
std::optional<GraphFileFormat> GraphFormatOf(const std::string& path);
// "png", "svg" or "pdf".
const char* GraphFormatExtension(GraphFileFormat format);
// The file chooser's filter text: "PNG picture", "SVG drawing", "PDF page".
const char* GraphFormatFilter(GraphFileFormat format);

// A picture's sides, in view units (pixels for PNG): from the window's least size to
// far beyond any screen or page; a larger one would ask for gigabytes.
inline constexpr int kMinGraphSide = 50;
inline constexpr int kMaxGraphSide = 16384;
bool IsGraphSizeAllowed(int width, int height);

// The name proposed for a flight titled `title` ("demo.flt" proposes "demo.png").
std::string GraphFileName(const std::string& title, GraphFileFormat format);

} // namespace tavo
