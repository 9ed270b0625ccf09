#include <cmath>
#include <optional>
#include <string>

#include "formats/CellNumberText.h"
#include "formats/NetworkJson.h"
#include "model/Cp1251.h"
#include "model/NumberText.h"
#include "model/QsKind.h"
#include "model/TextConcat.h"

namespace qnetica {
namespace {

using Json = nlohmann::ordered_json;  // keys in the order written here, not sorted
using namespace network_json;

// A text as a network file holds it: cut to its field, in the characters of Windows-1251.
std::string FileText(const std::string& text, std::size_t longest) {
    return Cp1251ToUtf8(Utf8ToCp1251(Utf8Prefix(text, longest)));
}

std::string QsPlace(int k) {
    return Concat({"qs[", std::to_string(k), "]"});
}

std::optional<JsonFault> NotFinite(double value, const std::string& place) {
    if (std::isfinite(value)) return std::nullopt;
    return JsonFault{place, Concat({FormatFixed(value), " is not a number that JSON can hold"})};
}

std::optional<JsonFault> QsFault(const QsParams& qs, int k) {
    const std::string place = QsPlace(k);
    if (auto fault = NotFinite(qs.ServiceTime, Concat({place, ".service_time"}))) return fault;
    if (qs.PriorityClasses < 0 || qs.PriorityClasses > MaxPriorityClasses)
        return JsonFault{Concat({place, ".classes"}), Concat({std::to_string(qs.PriorityClasses),
                                                              " classes, where a QS has 0 to ",
                                                              std::to_string(MaxPriorityClasses)})};
    for (int j = 1; j <= qs.PriorityClasses; ++j)
        if (auto fault =
                NotFinite(qs.ClassShare(j), Concat({place, ".classes[", std::to_string(j), "]"})))
            return fault;
    return std::nullopt;
}

// What JSON cannot say, or what the reader would refuse, named by its place. The rest of the
// reader's rules are checked by reading the written text back.
std::optional<JsonFault> Unwritable(const NetworkContent& content) {
    if (auto fault = NotFinite(content.InputRate, "input_rate")) return fault;
    for (int k = 1; k < content.NodeCount; ++k)
        if (auto fault = QsFault(content.Slots[k - 1], k)) return fault;
    for (int from = 0; from < content.NodeCount; ++from)
        for (int to = 0; to < content.NodeCount; ++to) {
            const std::string text = FileText(content.Matrix.Cell(from, to), MaxCellLength);
            if (!ParseNumberChecked(text).IsNumber)
                return JsonFault{"transfers", Concat({"the cell from S", std::to_string(from),
                                                      " to S", std::to_string(to), " holds \"",
                                                      text, "\", which is not a number"})};
        }
    return std::nullopt;
}

Json Position(int x, int y) {
    Json position;
    position["x"] = x;
    position["y"] = y;
    return position;
}

Json QsJson(const QsParams& qs) {
    Json entry;
    entry["name"] = FileText(qs.Name, MaxNameLength);
    entry["service_time"] = qs.ServiceTime;
    entry["channels"] = qs.Channels;
    entry["kind"] = QsKindName(KindOf(qs));
    if (qs.BoundedQueue && qs.RelativePriority) entry["also_priority"] = true;
    // Places and classes of another kind stay with the QS, as the parameters dialog keeps them.
    if (qs.BoundedQueue || qs.QueuePlaces != 0) entry["places"] = qs.QueuePlaces;
    if ((qs.RelativePriority && !qs.BoundedQueue) || qs.PriorityClasses != 0) {
        Json shares = Json::array();
        for (int j = 1; j <= qs.PriorityClasses; ++j) shares.push_back(qs.ClassShare(j));
        entry["classes"] = shares;
    }
    entry["position"] = Position(qs.PosX, qs.PosY);
    return entry;
}

Json TransferJson(int from, int to, const std::string& text) {
    Json transfer;
    transfer["from"] = from;
    transfer["to"] = to;
    if (auto number = NumberOfCellText(text))
        transfer["p"] = *number;
    else
        transfer["p"] = text;
    return transfer;
}

// A value on one line, with a blank after each comma and colon.
std::string OneLine(const Json& value) {
    if (!value.is_object() && !value.is_array()) return value.dump();
    const bool object = value.is_object();
    std::string line = object ? "{" : "[";
    bool first = true;
    for (const auto& item : value.items()) {
        if (!first) line.append(", ");
        first = false;
        if (object) line.append(Json(item.key()).dump()).append(": ");
        line.append(OneLine(item.value()));
    }
    return line.append(object ? "}" : "]");
}

// A list with one entry per line: a QS or a transfer is one line of a diff.
std::string ListLines(const Json& list) {
    if (list.empty()) return "[]";
    std::string text = "[\n";
    for (std::size_t i = 0; i < list.size(); ++i)
        text.append("    ").append(OneLine(list[i])).append(i + 1 < list.size() ? ",\n" : "\n");
    return text.append("  ]");
}

std::string Compose(const NetworkContent& content) {
    Json format;
    format["name"] = FormatName;
    format["version"] = FormatVersion;
    Json qs = Json::array();
    for (int k = 1; k < content.NodeCount; ++k) qs.push_back(QsJson(content.Slots[k - 1]));
    Json transfers = Json::array();
    for (int from = 0; from < content.NodeCount; ++from)
        for (int to = 0; to < content.NodeCount; ++to) {
            const std::string text = FileText(content.Matrix.Cell(from, to), MaxCellLength);
            if (!text.empty()) transfers.push_back(TransferJson(from, to, text));
        }
    return Concat(
        {"{\n  \"format\": ", OneLine(format),
         ",\n  \"input_rate\": ", Json(content.InputRate).dump(),
         ",\n  \"source_position\": ", OneLine(Position(content.SourcePosX, content.SourcePosY)),
         ",\n  \"qs\": ", ListLines(qs), ",\n  \"transfers\": ", ListLines(transfers), "\n}\n"});
}

}  // namespace

std::variant<std::string, JsonFault> WriteNetworkJson(const NetworkContent& content) {
    if (auto fault = Unwritable(content)) return *fault;
    std::string text = Compose(content);
    // The reader's rules are the one definition of the form: what it refuses is not written.
    auto readBack = ReadNetworkJson(text);
    if (auto* fault = std::get_if<JsonFault>(&readBack)) return *fault;
    return text;
}

}  // namespace qnetica
