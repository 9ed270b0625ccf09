#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "formats/CellNumberText.h"
#include "formats/DefaultLayout.h"
#include "formats/NetworkJson.h"
#include "formats/StrictJsonParse.h"
#include "model/Cp1251.h"
#include "model/NumberText.h"
#include "model/TextConcat.h"

namespace qnetica {
namespace {

using nlohmann::json;
using namespace network_json;

constexpr std::int64_t Int32Least = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t Int32Most = std::numeric_limits<std::int32_t>::max();

struct Refusal {
    JsonFault Fault;
};

[[noreturn]] void Refuse(const std::string& place, const std::string& reason) {
    throw Refusal{{place, reason}};
}

std::string Member(const std::string& place, const char* key) {
    return place.empty() ? std::string(key) : Concat({place, ".", key});
}

std::string Entry(const std::string& place, std::size_t index) {
    return Concat({place, "[", std::to_string(index + 1), "]"});
}

// A value as a message shows it: its JSON text, cut short.
std::string Shown(const json& value) {
    if (value.is_object()) return "an object";
    if (value.is_array()) return "a list";
    constexpr std::size_t Longest = 40;
    const std::string text = value.dump();
    return Utf8Length(text) <= Longest ? text : Concat({Utf8Prefix(text, Longest), "..."});
}

[[noreturn]] void Expected(const std::string& place, const std::string& what, const json& value) {
    Refuse(place, Concat({"expected ", what, ", got ", Shown(value)}));
}

struct Key {
    const char* Name;
    bool Required;
};

// An object that holds no key but those listed, and every required one of them.
const json& Object(const json& value, const std::string& place, std::initializer_list<Key> keys) {
    if (!value.is_object()) Expected(place, "an object", value);
    for (const auto& item : value.items()) {
        bool known = false;
        for (const Key& key : keys) known = known || item.key() == key.Name;
        if (!known) Refuse(place, Concat({"unknown key \"", item.key(), "\""}));
    }
    for (const Key& key : keys)
        if (key.Required && !value.contains(key.Name))
            Refuse(place, Concat({"missing key \"", key.Name, "\""}));
    return value;
}

const json* Find(const json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

double Number(const json& value, const std::string& place) {
    if (!value.is_number()) Expected(place, "a number", value);
    return value.get<double>();
}

// A whole number in least..most; 3.0 counts as 3, as in JSON Schema.
std::int64_t Whole(const json& value, const std::string& place, std::int64_t least,
                   std::int64_t most, const std::string& what) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number <= static_cast<std::uint64_t>(most) &&
            static_cast<std::int64_t>(number) >= least)
            return static_cast<std::int64_t>(number);
    } else if (value.is_number_integer()) {
        const auto number = value.get<std::int64_t>();
        if (number >= least && number <= most) return number;
    } else if (value.is_number_float()) {
        const double number = value.get<double>();
        if (std::trunc(number) == number && number >= static_cast<double>(least) &&
            number <= static_cast<double>(most))
            return static_cast<std::int64_t>(number);
    }
    Expected(place, what, value);
}

// The character at position `index` (counted in characters) of a UTF-8 text.
std::string CharacterAt(const std::string& text, std::size_t index) {
    const std::size_t start = Utf8Prefix(text, index).size();
    return text.substr(start, Utf8Prefix(text, index + 1).size() - start);
}

// A text that a network file can hold: at most `longest` characters, all of them in
// Windows-1251.
std::string Text(const json& value, const std::string& place, std::size_t longest) {
    if (!value.is_string()) Expected(place, "a text", value);
    const auto& text = value.get_ref<const std::string&>();
    const std::size_t length = Utf8Length(text);
    if (length > longest)
        Refuse(place,
               Concat({"expected a text of at most ", std::to_string(longest), " characters, got ",
                       Shown(value), " (", std::to_string(length), " characters)"}));
    for (std::size_t i = 0; i < length; ++i) {
        const std::string character = CharacterAt(text, i);
        if (Cp1251ToUtf8(Utf8ToCp1251(character)) != character)
            Refuse(place, Concat({"the character \"", character,
                                  "\" has no place in a network file (Windows-1251)"}));
    }
    return text;
}

// The text a cell gets from "p": its own text, or that of the number.
std::string CellText(const json& value, const std::string& place) {
    const char* what = "a probability: a number, or a text that reads as one";
    if (value.is_string()) {
        std::string text = Text(value, place, MaxCellLength);
        if (!ParseNumberChecked(text).IsNumber) Expected(place, what, value);
        return text;
    }
    if (!value.is_number()) Expected(place, what, value);
    std::string text = CellTextOfNumber(value.get<double>());
    if (Utf8Length(text) > MaxCellLength)
        Refuse(place, Concat({"the number ", text, " is longer than a cell's ",
                              std::to_string(MaxCellLength), " characters; give it as a text"}));
    return text;
}

// Reads one document into a content of its own; the first fault refuses it all.
class DocumentReader {
  public:
    NetworkContent Read(const json& document) {
        Object(document, "",
               {{"format", true},
                {"input_rate", true},
                {"source_position", false},
                {"qs", true},
                {"transfers", false}});
        ReadFormat(document.at("format"));
        content_.InputRate = Number(document.at("input_rate"), "input_rate");
        const LayoutPoint source =
            Position(Find(document, "source_position"), "source_position", DefaultSourcePosition());
        content_.SourcePosX = source.X;
        content_.SourcePosY = source.Y;
        ReadQsList(document.at("qs"));
        if (const json* transfers = Find(document, "transfers")) ReadTransfers(*transfers);
        return std::move(content_);
    }

  private:
    static void ReadFormat(const json& value) {
        Object(value, "format", {{"name", true}, {"version", true}});
        const json& name = value.at("name");
        if (name != FormatName) Expected("format.name", Concat({"\"", FormatName, "\""}), name);
        const json& version = value.at("version");
        if (!version.is_number() || version != FormatVersion)
            Refuse("format.version",
                   Concat({"this program reads version ", std::to_string(FormatVersion), ", got ",
                           Shown(version)}));
    }

    static LayoutPoint Position(const json* value, const std::string& place, LayoutPoint missing) {
        if (!value) return missing;
        Object(*value, place, {{"x", true}, {"y", true}});
        const char* what = "a whole number of pixels";
        return {static_cast<int>(
                    Whole(value->at("x"), Member(place, "x"), Int32Least, Int32Most, what)),
                static_cast<int>(
                    Whole(value->at("y"), Member(place, "y"), Int32Least, Int32Most, what))};
    }

    void ReadQsList(const json& list) {
        if (!list.is_array()) Expected("qs", "a list", list);
        if (list.size() > static_cast<std::size_t>(MaxNodeCount - 1))
            Refuse("qs", Concat({"at most ", std::to_string(MaxNodeCount - 1), " QS, got ",
                                 std::to_string(list.size())}));
        for (std::size_t i = 0; i < list.size(); ++i)
            ReadQs(list[i], Entry("qs", i), content_.Slots[i], static_cast<int>(i) + 1);
        content_.NodeCount = static_cast<std::int32_t>(list.size()) + 1;
    }

    static void ReadQs(const json& value, const std::string& place, QsParams& slot, int k) {
        Object(value, place,
               {{"name", false},
                {"service_time", true},
                {"channels", true},
                {"kind", false},
                {"also_priority", false},
                {"places", false},
                {"classes", false},
                {"position", false}});
        if (const json* name = Find(value, "name"))
            slot.Name = Text(*name, Member(place, "name"), MaxNameLength);
        slot.ServiceTime = Number(value.at("service_time"), Member(place, "service_time"));
        slot.Channels = static_cast<std::int32_t>(Whole(
            value.at("channels"), Member(place, "channels"), 1, Int32Most, "a whole number >= 1"));
        ReadKind(value, place, slot);
        if (const json* places = Find(value, "places"))
            slot.QueuePlaces = static_cast<std::int32_t>(
                Whole(*places, Member(place, "places"), 0, Int32Most, "a whole number >= 0"));
        if (const json* classes = Find(value, "classes"))
            ReadClasses(*classes, Member(place, "classes"), slot);
        const LayoutPoint position =
            Position(Find(value, "position"), Member(place, "position"), DefaultQsPosition(k));
        slot.PosX = position.X;
        slot.PosY = position.Y;
    }

    static void ReadKind(const json& value, const std::string& place, QsParams& slot) {
        const json* kind = Find(value, "kind");
        const std::string name = kind && kind->is_string() ? kind->get<std::string>() : "plain";
        if (kind &&
            (!kind->is_string() || (name != "plain" && name != "bounded" && name != "priority")))
            Expected(Member(place, "kind"), "\"plain\", \"bounded\" or \"priority\"", *kind);
        if (name == "bounded" && !value.contains("places"))
            Refuse(place, "a bounded QS needs \"places\"");
        if (name == "priority" && !value.contains("classes"))
            Refuse(place, "a priority QS needs \"classes\", its classes' shares of the input flow");
        bool alsoPriority = false;
        if (const json* mark = Find(value, "also_priority")) {
            if (!mark->is_boolean())
                Expected(Member(place, "also_priority"), "true or false", *mark);
            alsoPriority = mark->get<bool>();
            if (alsoPriority && name != "bounded")
                Refuse(Member(place, "also_priority"), "only a bounded QS carries it");
        }
        slot.BoundedQueue = name == "bounded";
        slot.RelativePriority = name == "priority" || alsoPriority;
    }

    static void ReadClasses(const json& list, const std::string& place, QsParams& slot) {
        if (!list.is_array()) Expected(place, "a list of shares", list);
        if (list.size() > static_cast<std::size_t>(MaxPriorityClasses))
            Refuse(place, Concat({"at most ", std::to_string(MaxPriorityClasses), " classes, got ",
                                  std::to_string(list.size())}));
        for (std::size_t j = 0; j < list.size(); ++j)
            slot.ClassShares[j] = Number(list[j], Entry(place, j));
        slot.PriorityClasses = static_cast<std::int32_t>(list.size());
    }

    void ReadTransfers(const json& list) {
        if (!list.is_array()) Expected("transfers", "a list", list);
        const int nodes = content_.NodeCount;
        // Where each cell was given, so that a cell given twice names both places.
        std::vector<std::size_t> givenAt(static_cast<std::size_t>(nodes * nodes), 0);
        const std::string what =
            Concat({"a node from 0 to ", std::to_string(nodes - 1), " (0: outside the network)"});
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string place = Entry("transfers", i);
            const json& transfer =
                Object(list[i], place, {{"from", true}, {"to", true}, {"p", true}});
            const auto from = static_cast<int>(
                Whole(transfer.at("from"), Member(place, "from"), 0, nodes - 1, what));
            const auto to =
                static_cast<int>(Whole(transfer.at("to"), Member(place, "to"), 0, nodes - 1, what));
            std::size_t& given = givenAt[static_cast<std::size_t>(from * nodes + to)];
            if (given != 0)
                Refuse(place, Concat({"a second transfer from S", std::to_string(from), " to S",
                                      std::to_string(to), " (the first is ",
                                      Entry("transfers", given - 1), ")"}));
            given = i + 1;
            content_.Matrix.SetCell(from, to, CellText(transfer.at("p"), Member(place, "p")));
        }
    }

    NetworkContent content_;
};

}  // namespace

std::variant<NetworkContent, JsonFault> ReadNetworkJson(std::string_view text) {
    auto parsed = ParseStrictJson(text);
    if (auto* fault = std::get_if<JsonFault>(&parsed)) return *fault;
    try {
        return DocumentReader().Read(std::get<json>(parsed));
    } catch (const Refusal& refusal) {
        return refusal.Fault;
    }
}

}  // namespace qnetica
