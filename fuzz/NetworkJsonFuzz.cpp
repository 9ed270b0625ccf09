// Any bytes as a network in JSON: the reader must refuse them with a place and a reason, or give
// a network whose JSON the writer writes, which reads back into the same network and the same
// text, and whose .qnf image reads back into that text too.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "FuzzSupport.h"
#include "formats/NetworkJson.h"
#include "model/NetworkFile.h"

namespace {

using namespace qnetica;

std::string Written(const NetworkContent& content) {
    auto written = WriteNetworkJson(content);
    fuzz::Require(std::holds_alternative<std::string>(written),
                  "an accepted network is not written");
    return std::get<std::string>(written);
}

NetworkContent Read(std::string_view text) {
    auto read = ReadNetworkJson(text);
    fuzz::Require(std::holds_alternative<NetworkContent>(read), "a written network is refused");
    return std::get<NetworkContent>(std::move(read));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto read = ReadNetworkJson(std::string_view(reinterpret_cast<const char*>(data), size));
    if (auto* fault = std::get_if<JsonFault>(&read)) {
        fuzz::Require(!fault->Reason.empty(), "a refusal without a reason");
        return 0;
    }
    const NetworkContent& content = std::get<NetworkContent>(read);
    fuzz::Require(content.NodeCount >= 1 && content.NodeCount <= MaxNodeCount,
                  "read a network with a node count out of range");
    const std::string text = Written(content);
    fuzz::Require(Written(Read(text)) == text, "the written text changed on its way back");
    NetworkModel model;
    model.Restore(Read(text));
    auto image = ReadNetworkImage(BuildNetworkImage(model));
    fuzz::Require(std::holds_alternative<NetworkContent>(image), "the network's image is refused");
    fuzz::Require(Written(std::get<NetworkContent>(image)) == text,
                  "the network changed on its way through a .qnf image");
    return 0;
}
