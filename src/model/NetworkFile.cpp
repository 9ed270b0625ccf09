#include "model/NetworkFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <type_traits>

#include "model/Cp1251.h"
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

// Reads at most ImageSize bytes: a longer file is accepted and only its beginning matters.
bool ReadImageFile(const std::string& path, NetworkImage& image, int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return false;
    }
    image.assign(ImageSize, 0);
    std::size_t total = 0;
    while (total < ImageSize) {
        const ssize_t got = ::read(fd, image.data() + total, ImageSize - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = errno;
            ::close(fd);
            return false;
        }
        if (got == 0) break;
        total += static_cast<std::size_t>(got);
    }
    ::close(fd);
    image.resize(total);
    return true;
}

bool WriteAll(int fd, const NetworkImage& image) {
    std::size_t total = 0;
    while (total < image.size()) {
        const ssize_t put = ::write(fd, image.data() + total, image.size() - total);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = EIO;
            return false;
        }
        total += static_cast<std::size_t>(put);
    }
    return true;
}

// The mode a new file gets from the umask, or that of the file being replaced.
mode_t TargetMode(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes the image next to the target and renames it over the target once it is complete.
int WriteImageAtomically(const std::string& path, const NetworkImage& image) {
    const std::filesystem::path target(path);
    const auto folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temp = (folder / Concat({".", target.filename().string(), ".XXXXXX"})).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return errno;
    int error = 0;
    if (!WriteAll(fd, image) || ::fchmod(fd, TargetMode(path)) != 0 || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) ::unlink(temp.c_str());
    return error;
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
    const int error = WriteImageAtomically(path, BuildNetworkImage(model));
    if (error != 0)
        return {false, Concat({"Не удалось сохранить файл \"", path, "\": ", SystemError(error)})};
    return {};
}

FileResult OpenNetworkFile(NetworkModel& model, const std::string& path) {
    NetworkImage image;
    int error = 0;
    if (!ReadImageFile(path, image, error))
        return {false, Concat({"Не удалось открыть файл \"", path, "\": ", SystemError(error)})};
    auto read = ReadNetworkImage(image);
    if (auto* fault = std::get_if<ImageFault>(&read))
        return {false, Concat({"Файл \"", path,
                               "\" не является файлом сети или поврежден: ", fault->Reason, "."})};
    model.Clear();
    model.Restore(std::move(std::get<NetworkContent>(read)));
    return {};
}

}  // namespace qnetica
