#include "widgets/FieldReader.h"

namespace qnetica {

std::optional<NumberEntry> FieldReader::Number(const QString& field, const QString& text,
                                               EmptyEntry empty) {
    if (Stopped()) return std::nullopt;
    NumberEntry entry = ReadNumberEntry(field.toStdString(), text.toStdString(), empty);
    if (entry.Taken()) return entry;
    Refuse(QString::fromStdString(entry.Refusal));
    return std::nullopt;
}

std::optional<std::int32_t> FieldReader::Integer(const QString& field, const QString& text) {
    if (Stopped()) return std::nullopt;
    const IntegerEntry entry = ReadIntegerEntry(field.toStdString(), text.toStdString());
    if (entry.Taken()) return entry.Value;
    Refuse(QString::fromStdString(entry.Refusal));
    return std::nullopt;
}

void FieldReader::Refuse(const QString& message) {
    if (Stopped()) return;
    refused_ = true;
    if (dialogs_) dialogs_->ShowError(window_, message);
}

}  // namespace qnetica
