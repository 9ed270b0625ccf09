#pragma once

#include <functional>
#include <string>

#include "model/NetworkModel.h"

namespace qnetica {

inline constexpr int MinBaseQsCount = 2;
inline constexpr int MaxBaseQsCount = 7;
inline constexpr const char* BaseQsCountRefusal =
    "Количество СМО должно лежать в пределах от 2 до 7 включительно.";

// The four texts of the generator dialog as typed ("," or "." before the decimals), and the
// editor's visible image area that the symbols are spread over.
struct GenerationRequest {
    std::string IntensityText;
    std::string ServiceTimeText;
    std::string ChannelsText;
    std::string QsCountText;
    int AreaWidth = 0;
    int AreaHeight = 0;
};

enum class GenerationEnd {
    Generated,
    NotANumber,        // a text is no number (or none was typed): an error box with its message
    QsCountOutOfRange  // a plain box with BaseQsCountRefusal
};

struct GenerationOutcome {
    GenerationEnd End = GenerationEnd::Generated;
    std::string Message;  // what to show when the network was not generated
};

// Builds a test network on an empty model: n base QS, one QS per subset of at least two base
// QS linked both ways with its members, the base QS linked with the outside and each other,
// equal probabilities in every row. The QS are added with the model's add operation. The
// intensity text, "." before its decimals, goes to the input-rate field and, through
// showIntensityText, to the value input dialog. All four texts are read before anything changes,
// so a refusal leaves the network as it was (only Generated is set).
GenerationOutcome GenerateModel(NetworkModel& model, const GenerationRequest& request,
                                const std::function<void(const std::string&)>& showIntensityText);

}  // namespace qnetica
