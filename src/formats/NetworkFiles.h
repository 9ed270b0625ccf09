#pragma once

#include <string>
#include <string_view>

#include "model/NetworkFile.h"
#include "model/NetworkModel.h"

namespace qnetica {

// The two forms of a network file: the fixed binary image (.qnf) and the JSON text (.json).
enum class NetworkForm { Image, Json };

// A JSON text begins with "{" (or, wrongly, "[") after blanks and perhaps a UTF-8 byte order
// mark; an image has no mark of its own. An image whose first byte happens to be one of these
// is still read as an image: its zero bytes never parse as JSON, and then the image is tried.
NetworkForm FormOfContent(std::string_view bytes);

// Larger than any network's JSON text by far; a larger file is refused unread.
inline constexpr std::size_t MaxJsonFileSize = std::size_t{16} << 20;

struct OpenedNetwork {
    FileResult Result;
    NetworkForm Form = NetworkForm::Image;  // the form the file was read in
};

// Opens a file of either form, told apart by its content, never by its name. The model is
// replaced only when the whole file was read and found sound; a refused file leaves it as it
// was, with the message 'Файл "<path>" не является файлом сети или поврежден: <reason>.', where
// the reason of a JSON text names the place, as in 'qs[3].channels: expected a whole number
// >= 1, got "two"'.
OpenedNetwork OpenNetworkFileByContent(NetworkModel& model, const std::string& path);

// Writes the network as JSON through a temporary file in the target's folder; clears Modified
// only on success. A network without a JSON form (a service time that is not finite, a channel
// count below 1, ...) is refused with the place of the fault, and nothing is written.
FileResult SaveNetworkJsonFile(NetworkModel& model, const std::string& path);

// SaveNetworkFile or SaveNetworkJsonFile.
FileResult SaveNetworkFileAs(NetworkModel& model, const std::string& path, NetworkForm form);

}  // namespace qnetica
