#include "runs/ReportText.h"

#include <algorithm>

#include "model/Cp1251.h"

namespace qnetica {

std::string UnderscoreRule(std::size_t width) {
    return std::string(width, '_');
}

std::string HyphenRule(std::size_t width) {
    return std::string(width, '-');
}

std::string PadCell(std::string_view cell, std::size_t width) {
    std::string padded(cell);
    const std::size_t length = Utf8Length(cell);
    if (length <= width) padded.append(width - length + 1, ' ');
    return padded;
}

std::string TableRow(std::span<const std::string> cells, std::span<const std::size_t> widths) {
    std::string row = "|";
    const std::size_t columns = std::min(cells.size(), widths.size());
    for (std::size_t c = 0; c < columns; ++c)
        row.append(" ").append(PadCell(cells[c], widths[c])).append(" |");
    return row;
}

std::string EncodeReport(const ReportLines& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += Utf8ToCp1251(line);
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace qnetica
