#include "formats/NetworkFiles.h"

#include <algorithm>
#include <cstring>
#include <variant>

#include "formats/NetworkJson.h"
#include "model/FileBytes.h"
#include "model/TextConcat.h"

namespace qnetica {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

struct ReadNetwork {
    NetworkContent Content;
    NetworkForm Form;
};

std::variant<ReadNetwork, std::string> ReadImage(std::string_view bytes) {
    const std::size_t size = std::min(bytes.size(), file_layout::ImageSize);
    auto read = ReadNetworkImage(NetworkImage(bytes.begin(), bytes.begin() + size));
    if (auto* fault = std::get_if<ImageFault>(&read)) return fault->Reason;
    return ReadNetwork{std::move(std::get<NetworkContent>(read)), NetworkForm::Image};
}

std::variant<ReadNetwork, std::string> ReadEitherForm(std::string_view bytes) {
    if (FormOfContent(bytes) == NetworkForm::Image) return ReadImage(bytes);
    std::string reason = Concat({"a JSON text of more than ", std::to_string(MaxJsonFileSize),
                                 " bytes, more than any network needs"});
    if (bytes.size() <= MaxJsonFileSize) {
        auto read = ReadNetworkJson(bytes);
        if (auto* content = std::get_if<NetworkContent>(&read))
            return ReadNetwork{std::move(*content), NetworkForm::Json};
        reason = std::get<JsonFault>(read).Text();
    }
    if (bytes.size() >= file_layout::ImageSize) {
        auto image = ReadImage(bytes);
        if (std::holds_alternative<ReadNetwork>(image)) return image;
    }
    return reason;
}

}  // namespace

NetworkForm FormOfContent(std::string_view bytes) {
    if (bytes.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        bytes.remove_prefix(ByteOrderMark.size());
    const auto first = bytes.find_first_not_of(" \t\r\n");
    const bool json =
        first != std::string_view::npos && (bytes[first] == '{' || bytes[first] == '[');
    return json ? NetworkForm::Json : NetworkForm::Image;
}

OpenedNetwork OpenNetworkFileByContent(NetworkModel& model, const std::string& path) {
    std::string bytes;
    if (const int error = ReadFileStart(path, MaxJsonFileSize + 1, bytes); error != 0)
        return {
            {false, Concat({"Не удалось открыть файл \"", path, "\": ", std::strerror(error)})}};
    auto read = ReadEitherForm(bytes);
    if (auto* reason = std::get_if<std::string>(&read))
        return {{false, Concat({"Файл \"", path,
                                "\" не является файлом сети или поврежден: ", *reason, "."})}};
    ReadNetwork& network = std::get<ReadNetwork>(read);
    model.Clear();
    model.Restore(std::move(network.Content));
    return {{}, network.Form};
}

FileResult SaveNetworkJsonFile(NetworkModel& model, const std::string& path) {
    auto written = WriteNetworkJson(model.Content());
    if (auto* fault = std::get_if<JsonFault>(&written))
        return {false, Concat({"Не удалось сохранить файл \"", path,
                               "\": сеть не записывается в JSON: ", fault->Text(), "."})};
    if (const int error = WriteFileAtomically(path, std::get<std::string>(written)); error != 0)
        return {false,
                Concat({"Не удалось сохранить файл \"", path, "\": ", std::strerror(error)})};
    model.SetModified(false);
    return {};
}

FileResult SaveNetworkFileAs(NetworkModel& model, const std::string& path, NetworkForm form) {
    return form == NetworkForm::Json ? SaveNetworkJsonFile(model, path)
                                     : SaveNetworkFile(model, path);
}

}  // namespace qnetica
