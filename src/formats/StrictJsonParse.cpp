#include "formats/StrictJsonParse.h"

#include <set>
#include <string>
#include <vector>

#include "model/TextConcat.h"

namespace qnetica {
namespace {

using nlohmann::json;
using Event = json::parse_event_t;

struct DuplicateKey {
    JsonFault Fault;
};

// Follows the parser into objects and arrays, so that a key named twice is refused with the
// place of its object, in the reader's own terms ("qs[2]").
class KeyWatch {
  public:
    bool operator()(int /*depth*/, Event event, json& parsed) {
        switch (event) {
            case Event::object_start:
            case Event::array_start:
                frames_.push_back({event == Event::array_start, 0, {}, {}});
                break;
            case Event::key:
                TakeKey(parsed.get<std::string>());
                break;
            case Event::object_end:
            case Event::array_end:
                frames_.pop_back();
                ValueDone();
                break;
            case Event::value:
                ValueDone();
                break;
        }
        return true;
    }

  private:
    struct Frame {
        bool Array;
        int Done;         // entries of an array read so far
        std::string Key;  // the key whose value is being read
        std::set<std::string> Keys;
    };

    void TakeKey(const std::string& key) {
        Frame& object = frames_.back();
        if (!object.Keys.insert(key).second)
            throw DuplicateKey{{PlaceOfObject(), Concat({"the key \"", key, "\" is given twice"})}};
        object.Key = key;
    }

    void ValueDone() {
        if (!frames_.empty() && frames_.back().Array) ++frames_.back().Done;
    }

    std::string PlaceOfObject() const {
        std::string place;
        for (std::size_t i = 0; i + 1 < frames_.size(); ++i) {
            const Frame& frame = frames_[i];
            if (frame.Array)
                place = Concat({place, "[", std::to_string(frame.Done + 1), "]"});
            else
                place = Concat({place, place.empty() ? "" : ".", frame.Key});
        }
        return place;
    }

    std::vector<Frame> frames_;
};

// The library's message without its own prefix: "parse error at line 2, column 5: ...".
std::string WithoutLibraryPrefix(const std::string& message) {
    const auto end = message.find("] ");
    return end == std::string::npos ? message : message.substr(end + 2);
}

}  // namespace

std::variant<json, JsonFault> ParseStrictJson(std::string_view text) {
    try {
        return json::parse(text.begin(), text.end(), KeyWatch());
    } catch (const DuplicateKey& duplicate) {
        return duplicate.Fault;
    } catch (const json::exception& error) {
        return JsonFault{{}, WithoutLibraryPrefix(error.what())};
    }
}

}  // namespace qnetica
