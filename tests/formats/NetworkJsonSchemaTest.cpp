// The JSON Schema shipped beside the format's description accepts what the writer writes and
// refuses what the reader refuses for reasons a schema can state. Checked with a small
// validator of the keywords the schema uses; a keyword it does not know fails the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>

#include "FormatsTestSupport.h"
#include "model/Cp1251.h"

namespace qnetica {
namespace {

using nlohmann::json;
using namespace test;

class SchemaCheck {
  public:
    explicit SchemaCheck(const json& schema) : root_(schema) {}

    bool Valid(const json& value) { return Check(root_, value); }
    const std::vector<std::string>& UnknownKeywords() const { return unknown_; }

  private:
    bool Check(const json& schema, const json& value) {
        for (const auto& [keyword, rule] : schema.items())
            if (!Keyword(schema, keyword, rule, value)) return false;
        return true;
    }

    static bool HasType(const std::string& type, const json& value) {
        if (type == "integer")
            return value.is_number_integer() ||
                   (value.is_number_float() && std::trunc(value.get<double>()) == value);
        return (type == "number" && value.is_number()) || (type == "string" && value.is_string()) ||
               (type == "object" && value.is_object()) || (type == "array" && value.is_array()) ||
               (type == "boolean" && value.is_boolean());
    }

    bool All(const json& list, const std::function<bool(const json&)>& test) {
        return std::all_of(list.begin(), list.end(), test);
    }

    bool Keyword(const json& schema, const std::string& keyword, const json& rule,
                 const json& value) {
        static const std::set<std::string> annotations = {"$schema", "title", "description",
                                                          "$defs",   "then",  "pattern"};
        if (annotations.contains(keyword)) return true;  // "pattern": std::regex is avoided here
        if (keyword == "$ref")
            return Check(root_.at("$defs").at(rule.get<std::string>().substr(8)), value);
        if (keyword == "type")
            return rule.is_string() ? HasType(rule, value)
                                    : std::any_of(rule.begin(), rule.end(),
                                                  [&](const json& t) { return HasType(t, value); });
        if (keyword == "const") return value == rule;
        if (keyword == "enum") return std::find(rule.begin(), rule.end(), value) != rule.end();
        if (keyword == "allOf")
            return All(rule, [&](const json& part) { return Check(part, value); });
        if (keyword == "if") return !Check(rule, value) || Check(schema.at("then"), value);
        if (value.is_object()) {
            if (keyword == "required")
                return All(rule, [&](const json& key) { return value.contains(key); });
            if (keyword == "additionalProperties")
                return rule != false ||
                       std::all_of(value.items().begin(), value.items().end(),
                                   [&](const auto& item) {
                                       return schema.at("properties").contains(item.key());
                                   });
            if (keyword == "properties")
                return std::all_of(value.items().begin(), value.items().end(),
                                   [&](const auto& item) {
                                       return !rule.contains(item.key()) ||
                                              Check(rule.at(item.key()), item.value());
                                   });
        }
        if (value.is_number() && keyword == "minimum") return value >= rule;
        if (value.is_number() && keyword == "maximum") return value <= rule;
        if (value.is_array() && keyword == "maxItems") return value.size() <= rule;
        if (value.is_array() && keyword == "items")
            return All(value, [&](const json& item) { return Check(rule, item); });
        if (value.is_string() && keyword == "maxLength")
            return Utf8Length(value.get<std::string>()) <= rule;
        static const std::set<std::string> known = {"required",   "additionalProperties",
                                                    "properties", "minimum",
                                                    "maximum",    "maxItems",
                                                    "items",      "maxLength"};
        if (!known.contains(keyword)) unknown_.push_back(keyword);
        return known.contains(keyword);  // a keyword of another type of value
    }

    const json& root_;
    std::vector<std::string> unknown_;
};

// One QS of each kind, including both marks and kept places and classes of a plain QS.
NetworkContent EveryKind() {
    NetworkModel model;
    for (int k = 1; k <= 5; ++k) model.AddNode();
    for (int k = 1; k <= 5; ++k) model.Qs(k).ServiceTime = 0.1 * k;
    model.Qs(1).Name = "Ёлка №1";
    model.Qs(2).BoundedQueue = true;
    model.Qs(3).RelativePriority = true;
    model.Qs(3).PriorityClasses = 50;
    model.Qs(4).BoundedQueue = model.Qs(4).RelativePriority = true;
    model.Qs(5).QueuePlaces = 4;
    model.Qs(5).PriorityClasses = 1;
    for (int from = 0; from <= 5; ++from)
        model.Matrix().SetCell(from, (from + 1) % 6, from % 2 ? "1" : " 1.0");
    return model.Content();
}

TEST(NetworkJsonSchemaTest, TheSchemaAcceptsWrittenDocumentsAndRefusesWhatItCanState) {
    const json schema =
        json::parse(FileBytes(std::string(QNETICA_SOURCE_DIR) + "/docs/network-json.schema.json"));
    SchemaCheck check(schema);
    EXPECT_TRUE(check.Valid(json::parse(FileBytes(ModelPath("three-kinds.json")))));
    EXPECT_TRUE(check.Valid(json::parse(WrittenJson(NetworkContent{}))));
    const json written = json::parse(WrittenJson(EveryKind()));
    EXPECT_TRUE(check.Valid(written)) << written.dump();

    const std::pair<const char*, std::function<void(json&)>> refused[] = {
        {"unknown key", [](json& d) { d["qs"][0]["servicetime"] = 1; }},
        {"no channels", [](json& d) { d["qs"][0].erase("channels"); }},
        {"0 channels", [](json& d) { d["qs"][0]["channels"] = 0; }},
        {"2.5 channels", [](json& d) { d["qs"][0]["channels"] = 2.5; }},
        {"11 characters", [](json& d) { d["qs"][0]["name"] = "АБВГДЕЁЖЗИЙ"; }},
        {"bounded without places", [](json& d) { d["qs"][1].erase("places"); }},
        {"priority without classes", [](json& d) { d["qs"][2].erase("classes"); }},
        {"51 classes", [](json& d) { d["qs"][2]["classes"].push_back(0); }},
        {"marked plain", [](json& d) { d["qs"][0]["also_priority"] = true; }},
        {"fifo", [](json& d) { d["qs"][0]["kind"] = "fifo"; }},
        {"negative places", [](json& d) { d["qs"][4]["places"] = -1; }},
        {"p true", [](json& d) { d["transfers"][0]["p"] = true; }},
        {"p of 21 characters", [](json& d) { d["transfers"][0]["p"] = std::string(21, '1'); }},
        {"node 151", [](json& d) { d["transfers"][0]["to"] = 151; }},
        {"version 2", [](json& d) { d["format"]["version"] = 2; }},
        {"151 QS",
         [](json& d) {
             d["qs"] = json::array();
             for (int k = 0; k < 151; ++k)
                 d["qs"].push_back({{"service_time", 1}, {"channels", 1}});
         }},
    };
    for (const auto& [name, change] : refused) {
        json document = written;
        change(document);
        EXPECT_FALSE(check.Valid(document)) << name;
        EXPECT_TRUE(std::holds_alternative<JsonFault>(ReadNetworkJson(document.dump()))) << name;
    }
    EXPECT_EQ(check.UnknownKeywords(), std::vector<std::string>{});
}

}  // namespace
}  // namespace qnetica
