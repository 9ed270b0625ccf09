#include "model/NetworkFile.h"

#include <cstring>
#include <optional>
#include <type_traits>

#include "model/Cp1251.h"
#include "model/FileBytes.h"
#include "model/TextConcat.h"

namespace qnetica {
namespace {

using namespace file_layout;

// Writes fields into the image at their offsets, little-endian.
class ImageWriter {
  public:
    explicit ImageWriter(NetworkImage& image, std::size_t base = 0) : image_(image), base_(base) {}

    template <typename T>
    void Field(std::size_t offset, const T& value) {
        static_assert(std::is_arithmetic_v<T>);
        std::memcpy(&image_[base_ + offset], &value, sizeof(T));
    }
    template <std::size_t N>
    void Bytes(std::size_t offset, const std::array<std::uint8_t, N>& bytes) {
        std::memcpy(&image_[base_ + offset], bytes.data(), N);
    }
    void ShortString(std::size_t offset, const std::string& utf8, std::size_t maxLength) {
        const std::string bytes = Utf8ToCp1251(Utf8Prefix(utf8, maxLength));
        image_[base_ + offset] = static_cast<std::uint8_t>(bytes.size());
        std::memcpy(&image_[base_ + offset + 1], bytes.data(), bytes.size());
    }

  private:
    NetworkImage& image_;
    std::size_t base_;
};

// Reads fields from the image at the same offsets; the image was checked beforehand.
class ImageReader {
  public:
    explicit ImageReader(const NetworkImage& image, std::size_t base = 0)
        : image_(image), base_(base) {}

    template <typename T>
    void Field(std::size_t offset, T& value) const {
        static_assert(std::is_arithmetic_v<T>);
        std::memcpy(&value, &image_[base_ + offset], sizeof(T));
    }
    void Field(std::size_t offset, bool& value) const { value = image_[base_ + offset] != 0; }
    template <std::size_t N>
    void Bytes(std::size_t offset, std::array<std::uint8_t, N>& bytes) const {
        std::memcpy(bytes.data(), &image_[base_ + offset], N);
    }
    void ShortString(std::size_t offset, std::string& utf8, std::size_t /*maxLength*/) const {
        const std::size_t length = image_[base_ + offset];
        const auto* text = reinterpret_cast<const char*>(&image_[base_ + offset + 1]);
        utf8 = Cp1251ToUtf8(std::string_view(text, length));
    }

  private:
    const NetworkImage& image_;
    std::size_t base_;
};

// The one place that knows where each field of a slot lies; used for writing and reading.
template <typename Io, typename Slot>
void TransferSlot(Io& io, Slot& slot) {
    auto& results = slot.Results;
    io.Field(0, slot.ServiceTime);
    io.Field(8, results.ArrivalRate);
    io.Field(16, results.ReservedResult);
    io.Field(24, results.OfferedLoad);
    io.Field(32, results.QueueLength);
    io.Field(40, results.InSystem);
    io.Field(48, results.WaitTime);
    io.Field(56, results.SojournTime);
    io.Field(64, slot.Reserved.ReservedDouble);
    io.Field(72, results.LoadFactor);
    io.Field(80, results.IdleProbability);
    io.Field(88, results.TransferCoefficient);
    io.Field(96, slot.BoundedQueue);
    io.Field(97, slot.RelativePriority);
    io.Bytes(98, slot.Reserved.PadAfterFlags);
    io.Field(100, slot.Channels);
    io.Field(104, slot.PosX);
    io.Field(108, slot.PosY);
    io.Field(112, slot.QueuePlaces);
    io.Field(116, slot.Reserved.ReservedInt);
    io.Field(120, slot.PriorityClasses);
    io.Bytes(124, slot.Reserved.PadAfterClasses);
    for (int k = 0; k < MaxPriorityClasses; ++k) io.Field(128 + 8 * k, slot.ClassShares[k]);
    io.ShortString(528, slot.Name, MaxNameLength);
    io.Bytes(539, slot.Reserved.PadAfterName);
}

template <typename Io, typename Content>
void TransferNetworkFields(Io& io, Content& content) {
    io.Field(InputRateOffset, content.InputRate);
    io.Field(NodeCountOffset, content.NodeCount);
    io.Field(SourcePosXOffset, content.SourcePosX);
    io.Field(SourcePosYOffset, content.SourcePosY);
}

std::optional<std::string> FindImageFault(const NetworkImage& image) {
    if (image.size() < ImageSize)
        return Concat({"длина файла ", std::to_string(image.size()), " байт, а должна быть ",
                       std::to_string(ImageSize)});
    std::int32_t nodeCount = 0;
    std::memcpy(&nodeCount, &image[NodeCountOffset], sizeof nodeCount);
    if (nodeCount < 1 || nodeCount > MaxNodeCount)
        return Concat({"число узлов сети ", std::to_string(nodeCount), " вне пределов от 1 до ",
                       std::to_string(MaxNodeCount)});
    for (int k = 1; k <= SlotCount; ++k) {
        const int length = image[SlotOffset(k) + 528];
        if (length > MaxNameLength)
            return Concat({"длина наименования СМО в записи ", std::to_string(k), " равна ",
                           std::to_string(length), ", больше ", std::to_string(MaxNameLength)});
    }
    for (int to = 0; to < TransferMatrix::Size; ++to) {
        for (int from = 0; from < TransferMatrix::Size; ++from) {
            const std::size_t length = image[CellOffset(from, to)];
            if (length > MaxCellLength)
                return Concat({"длина текста ячейки (S", std::to_string(from), ", S",
                               std::to_string(to), ") равна ", std::to_string(length), ", больше ",
                               std::to_string(MaxCellLength)});
        }
    }
    return std::nullopt;
}

std::string SystemError(int error) {
    return std::strerror(error);
}

}  // namespace

NetworkImage BuildNetworkImage(const NetworkModel& model) {
    NetworkImage image(ImageSize, 0);
    for (int k = 1; k <= SlotCount; ++k) {
        ImageWriter slotWriter(image, SlotOffset(k));
        TransferSlot(slotWriter, model.Qs(k));
    }
    ImageWriter writer(image);
    for (int to = 0; to < TransferMatrix::Size; ++to)
        for (int from = 0; from < TransferMatrix::Size; ++from)
            writer.ShortString(CellOffset(from, to), model.Matrix().Cell(from, to), MaxCellLength);
    TransferNetworkFields(writer, model.Content());
    return image;
}

std::variant<NetworkContent, ImageFault> ReadNetworkImage(const NetworkImage& image) {
    if (auto fault = FindImageFault(image)) return ImageFault{*fault};
    NetworkContent content;
    for (int k = 1; k <= SlotCount; ++k) {
        ImageReader slotReader(image, SlotOffset(k));
        TransferSlot(slotReader, content.Slots[k - 1]);
    }
    ImageReader reader(image);
    for (int to = 0; to < TransferMatrix::Size; ++to)
        for (int from = 0; from < TransferMatrix::Size; ++from) {
            std::string text;
            reader.ShortString(CellOffset(from, to), text, MaxCellLength);
            content.Matrix.SetCell(from, to, text);
        }
    TransferNetworkFields(reader, content);
    return content;
}

FileResult SaveNetworkFile(NetworkModel& model, const std::string& path) {
    FileResult result = WriteNetworkCopy(model, path);
    if (result.Ok) model.SetModified(false);
    return result;
}

FileResult WriteNetworkCopy(const NetworkModel& model, const std::string& path) {
    const NetworkImage image = BuildNetworkImage(model);
    const int error = WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
    if (error != 0)
        return {false, Concat({"Не удалось сохранить файл \"", path, "\": ", SystemError(error)})};
    return {};
}

FileResult OpenNetworkFile(NetworkModel& model, const std::string& path) {
    // A longer file is accepted: only its beginning matters.
    std::string bytes;
    if (const int error = ReadFileStart(path, ImageSize, bytes); error != 0)
        return {false, Concat({"Не удалось открыть файл \"", path, "\": ", SystemError(error)})};
    auto read = ReadNetworkImage(NetworkImage(bytes.begin(), bytes.end()));
    if (auto* fault = std::get_if<ImageFault>(&read))
        return {false, Concat({"Файл \"", path,
                               "\" не является файлом сети или поврежден: ", fault->Reason, "."})};
    model.Clear();
    model.Restore(std::move(std::get<NetworkContent>(read)));
    return {};
}

}  // namespace qnetica
