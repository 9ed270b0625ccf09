#include "cli/NetworkExport.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/Calculator.h"
#include "cli/CalculatorOptions.h"
#include "formats/NetworkFiles.h"
#include "model/TextConcat.h"

namespace qnetica {
namespace {

std::string LowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// A name that promises the form the file already has is a slip: the export writes the other.
std::optional<std::string> NameOfTheWrongForm(const std::string& target, NetworkForm written) {
    const std::string extension = LowerExtension(target);
    const std::string quoted = Concat({"--export-network: '", target, "' "});
    if (written == NetworkForm::Json && extension == ".qnf")
        return Concat({quoted, "would get JSON, the other form of a .qnf FILE; name it *.json"});
    if (written == NetworkForm::Image && extension == ".json")
        return Concat(
            {quoted, "would get a .qnf image, the other form of a JSON FILE; name it *.qnf"});
    return std::nullopt;
}

}  // namespace

int ExportNetwork(const std::string& modelFile, const std::string& target, std::ostream& err) {
    std::error_code unknown;  // a target that is not there yet is not FILE
    if (std::filesystem::equivalent(modelFile, target, unknown)) {
        err << UsageErrorText(Concat({"--export-network: '", target, "' is FILE itself"}));
        return ExitUsage;
    }
    auto model = std::make_unique<NetworkModel>();
    const OpenedNetwork opened = OpenNetworkFileByContent(*model, modelFile);
    if (!opened.Result.Ok) {
        err << "qnetica-calc: " << opened.Result.Message << '\n';
        return ExitFailed;
    }
    const NetworkForm other =
        opened.Form == NetworkForm::Image ? NetworkForm::Json : NetworkForm::Image;
    if (auto slip = NameOfTheWrongForm(target, other)) {
        err << UsageErrorText(*slip);
        return ExitUsage;
    }
    if (const FileResult saved = SaveNetworkFileAs(*model, target, other); !saved.Ok) {
        err << "qnetica-calc: " << saved.Message << '\n';
        return ExitFailed;
    }
    return ExitCompleted;
}

}  // namespace qnetica
