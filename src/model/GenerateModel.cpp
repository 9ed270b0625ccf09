#include "model/GenerateModel.h"

#include <charconv>
#include <vector>

#include "model/NumberEntry.h"

namespace qnetica {
namespace {

const std::string LinkMark = "1";  // a generated link before the rows are shared out
constexpr int FirstOffset = -50;
constexpr int SymbolPitch = 40;  // between subset QS symbols, across and down
constexpr int TopMargin = 10;

// The fields as the dialog names them, for the refusals.
constexpr const char* IntensityField = "Интенсивность входящего потока";
constexpr const char* ServiceTimeField = "Время обслуживания";
constexpr const char* ChannelsField = "Число каналов";
constexpr const char* QsCountField = "Количество СМО";

// The generated QS's common parameters.
struct QsTemplate {
    double ServiceTime = 0;
    std::int32_t Channels = 1;
};

int AddGeneratedQs(NetworkModel& model, const QsTemplate& common) {
    model.AddNode();
    const int k = model.QsCount();
    model.Qs(k).ServiceTime = common.ServiceTime;
    model.Qs(k).Channels = common.Channels;
    return k;
}

// The base QS run down the left part of the area, each row somewhat further to the right.
void AddBaseQs(NetworkModel& model, int n, const QsTemplate& common, int width, int height) {
    int offset = FirstOffset;
    for (int p = 1; p <= n; ++p) {
        QsParams& qs = model.Qs(AddGeneratedQs(model, common));
        qs.PosX = static_cast<std::int32_t>((width - 50) / 4.0 + offset);
        qs.PosY = (height - 10) / n * (p - 1) + TopMargin;
        offset += static_cast<int>(200.0 / n + 0.2 * offset);
    }
}

// The next subset of {1..n} with as many members, in lexicographic order; false after the last.
bool NextSubset(std::vector<int>& members, int n) {
    const int size = static_cast<int>(members.size());
    for (int i = size - 1; i >= 0; --i) {
        if (members[i] < n - (size - 1 - i)) {
            ++members[i];
            for (int j = i + 1; j < size; ++j) members[j] = members[j - 1] + 1;
            return true;
        }
    }
    return false;
}

// Subset QS fill rows in the right half of the area, wrapping at its right edge.
class SubsetPlacer {
  public:
    explicit SubsetPlacer(int width) : width_(width), firstX_((width - 50) / 2), x_(firstX_) {}

    void Place(QsParams& qs) {
        qs.PosX = x_;
        qs.PosY = y_;
        x_ += SymbolPitch;
        if (x_ > width_) {
            x_ = firstX_;
            y_ += SymbolPitch;
        }
    }

  private:
    int width_;
    int firstX_;
    int x_;
    int y_ = TopMargin;
};

void AddSubsetQs(NetworkModel& model, const std::vector<int>& members, const QsTemplate& common,
                 SubsetPlacer& placer) {
    const int k = AddGeneratedQs(model, common);
    QsParams& qs = model.Qs(k);
    qs.Name = std::string(1, 's');
    for (int member : members) {
        qs.Name += std::to_string(member);
        model.Matrix().SetCell(member, k, LinkMark);
        model.Matrix().SetCell(k, member, LinkMark);
    }
    placer.Place(qs);
}

void AddAllSubsetQs(NetworkModel& model, int n, const QsTemplate& common, int width) {
    SubsetPlacer placer(width);
    for (int size = 2; size <= n; ++size) {
        std::vector<int> members(size);
        for (int i = 0; i < size; ++i) members[i] = i + 1;
        do {
            AddSubsetQs(model, members, common, placer);
        } while (NextSubset(members, n));
    }
}

// From the outside to every base QS; from a base QS to the outside and every other base QS.
void LinkBaseQs(NetworkModel& model, int n) {
    for (int from = 0; from < model.NodeCount(); ++from)
        for (int to = 0; to < model.NodeCount(); ++to) {
            const bool fromOutside = from == 0 && to >= 1 && to <= n;
            const bool fromBase = from >= 1 && from <= n && to <= n && to != from;
            if (fromOutside || fromBase) model.Matrix().SetCell(from, to, LinkMark);
        }
}

std::string EqualShareText(int links) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, 1.0 / links, std::chars_format::fixed, 15);
    return std::string(buffer, result.ptr);
}

void ShareOutRows(NetworkModel& model) {
    TransferMatrix& matrix = model.Matrix();
    for (int from = 0; from < model.NodeCount(); ++from) {
        int links = 0;
        for (int to = 0; to < model.NodeCount(); ++to) links += matrix.Cell(from, to) == LinkMark;
        if (links == 0) continue;
        const std::string share = EqualShareText(links);
        for (int to = 0; to < model.NodeCount(); ++to)
            if (matrix.Cell(from, to) == LinkMark) matrix.SetCell(from, to, share);
    }
}

void BuildNetwork(NetworkModel& model, int n, const QsTemplate& common,
                  const GenerationRequest& request) {
    model.SetSourcePos(model.SourcePosX(), request.AreaHeight / 2);
    AddBaseQs(model, n, common, request.AreaWidth, request.AreaHeight);
    AddAllSubsetQs(model, n, common, request.AreaWidth);
    LinkBaseQs(model, n);
    ShareOutRows(model);
}

// The four texts read in the order of the dialog's fields; the first refusal stops the reading.
struct RequestNumbers {
    NumberEntry Intensity;
    QsTemplate Common;
    int QsCount = 0;
    std::string Refusal;
};

RequestNumbers ReadRequest(const GenerationRequest& request) {
    RequestNumbers numbers;
    numbers.Intensity = ReadNumberEntry(IntensityField, request.IntensityText, EmptyEntry::Refused);
    if (!numbers.Intensity.Taken()) return {{}, {}, 0, numbers.Intensity.Refusal};
    const NumberEntry service =
        ReadNumberEntry(ServiceTimeField, request.ServiceTimeText, EmptyEntry::Refused);
    if (!service.Taken()) return {{}, {}, 0, service.Refusal};
    numbers.Common.ServiceTime = service.Value;
    const IntegerEntry channels = ReadIntegerEntry(ChannelsField, request.ChannelsText);
    if (!channels.Taken()) return {{}, {}, 0, channels.Refusal};
    numbers.Common.Channels = channels.Value;
    const IntegerEntry count = ReadIntegerEntry(QsCountField, request.QsCountText);
    if (!count.Taken()) return {{}, {}, 0, count.Refusal};
    numbers.QsCount = count.Value;
    return numbers;
}

}  // namespace

GenerationOutcome GenerateModel(NetworkModel& model, const GenerationRequest& request,
                                const std::function<void(const std::string&)>& showIntensityText) {
    model.SetGenerated(true);
    const auto texts = ReadRequest(request);
    if (!texts.Refusal.empty()) return {GenerationEnd::NotANumber, texts.Refusal};
    if (texts.QsCount < MinBaseQsCount || texts.QsCount > MaxBaseQsCount)
        return {GenerationEnd::QsCountOutOfRange, BaseQsCountRefusal};
    model.SetInputRate(texts.Intensity.Value);
    model.SetInputRateText(texts.Intensity.Text);
    if (showIntensityText) showIntensityText(texts.Intensity.Text);
    BuildNetwork(model, texts.QsCount, texts.Common, request);
    return {};
}

}  // namespace qnetica
