#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "model/NetworkModel.h"
#include "model/TextConcat.h"

namespace qnetica {

// The network as a JSON text, for scripts and version control. It holds what the network file
// holds as input: the input rate, the QS in use with their parameters and positions, the
// non-empty cells among the nodes in use, the source's position. Results of a calculation are
// output and have no place in it.
namespace network_json {
inline constexpr const char* FormatName = "qnetica-network";
inline constexpr int FormatVersion = 1;
inline constexpr std::size_t MaxCellLength = 20;  // characters, as a network file holds them
}  // namespace network_json

// Why a document was refused, and where: Place is a path such as "qs[3].channels" (QS and
// list entries counted from 1, as the QS are numbered), empty for the document as a whole.
struct JsonFault {
    std::string Place;
    std::string Reason;

    std::string Text() const { return Place.empty() ? Reason : Concat({Place, ": ", Reason}); }
};

// Reads a whole document; any fault refuses it all. Slots beyond the network are those of a
// new network, and a QS or the source without a position gets its place in DefaultLayout.
std::variant<NetworkContent, JsonFault> ReadNetworkJson(std::string_view text);

// Writes the network in the form ReadNetworkJson reads back into the same content: one QS and
// one transfer per line. A network that has no JSON form (a number that is not finite, a count
// that the reader refuses, a cell that is not a number) is refused with the place of the fault.
std::variant<std::string, JsonFault> WriteNetworkJson(const NetworkContent& content);

}  // namespace qnetica
