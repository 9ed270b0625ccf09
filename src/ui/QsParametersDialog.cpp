#include "ui/QsParametersDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <bit>
#include <cstdint>

#include "model/Cp1251.h"
#include "model/NumberText.h"
#include "widgets/DecimalSeparator.h"
#include "widgets/FieldReader.h"

namespace qnetica {
namespace {

const QString SumMessageStart = QStringLiteral("Сумма долей вх. потока не равна 1 (равна ");
const QString ClassRangeMessage =
    QStringLiteral("Число классов приоритета должно лежать в пределах от 1 до 50.");
const QString TooManyClassesMessage =
    QStringLiteral("Число классов приоритета не может быть больше 50.");
const QString ChannelsMessage = QStringLiteral("Число каналов должно быть не меньше 1.");
const QString PlacesMessage = QStringLiteral("Число мест должно быть не меньше 1.");

// The fields as the refusals name them.
const QString ServiceTimeField = QStringLiteral("Время обслуживания");
const QString ChannelsField = QStringLiteral("Число каналов");
const QString PlacesField = QStringLiteral("Число мест");
const QString ClassesField = QStringLiteral("Число классов приоритета");
QString ShareField(int k) {
    return QStringLiteral("Доля вх. потока класса %1").arg(k);
}

constexpr double LowestShareSum = 0.999999999;
constexpr double HighestShareSum = 1.000000001;
constexpr int ShareColumn = 1;

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// What the dialog edits: the parameters, compared bit for bit.
bool SameParameters(const QsParams& a, const QsParams& b) {
    for (int k = 1; k <= MaxPriorityClasses; ++k)
        if (!SameBits(a.ClassShare(k), b.ClassShare(k))) return false;
    return SameBits(a.ServiceTime, b.ServiceTime) && a.Channels == b.Channels &&
           a.QueuePlaces == b.QueuePlaces && a.PriorityClasses == b.PriorityClasses &&
           a.BoundedQueue == b.BoundedQueue && a.RelativePriority == b.RelativePriority &&
           a.Name == b.Name;
}

void CopyParameters(const QsParams& from, QsParams& to) {
    to.ServiceTime = from.ServiceTime;
    to.Channels = from.Channels;
    to.QueuePlaces = from.QueuePlaces;
    to.PriorityClasses = from.PriorityClasses;
    to.ClassShares = from.ClassShares;
    to.BoundedQueue = from.BoundedQueue;
    to.RelativePriority = from.RelativePriority;
    to.Name = from.Name;
}

}  // namespace

QsParametersDialog::QsParametersDialog(NetworkModel& model, PlatformDialogs& dialogs,
                                       QWidget* parent)
    : QDialog(parent),
      model_(model),
      dialogs_(dialogs),
      decimalSeparator_(ShownDecimalSeparator()) {
    CreateControls();
    ConnectControls();
}

QsParametersDialog::QsParametersDialog(NetworkDocument& document, PlatformDialogs& dialogs,
                                       QWidget* parent)
    : QsParametersDialog(document.Model(), dialogs, parent) {
    document_ = &document;
}

void QsParametersDialog::CreateControls() {
    auto* group = new QGroupBox(QStringLiteral("Параметры"), this);
    nameEdit_ = new QLineEdit(group);
    serviceTimeEdit_ = new QLineEdit(group);
    channelsEdit_ = new QLineEdit(group);
    boundedQueueBox_ = new QCheckBox(QStringLiteral("Ограниченная длина очереди"), group);
    placesEdit_ = new QLineEdit(group);
    priorityBox_ = new QCheckBox(QStringLiteral("Система с относит. приоритетом"), group);
    classesEdit_ = new QLineEdit(group);
    resetButton_ = new QPushButton(QStringLiteral("Сброс"), group);
    resetButton_->setAutoDefault(false);
    okButton_ = new QPushButton(QStringLiteral("ОК"), group);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Отмена"), group);
    cancelButton_->setAutoDefault(false);
    classTable_ = new QTableWidget(0, 2, group);
    classTable_->setHorizontalHeaderLabels(
        {QStringLiteral("Класс приоритета"), QStringLiteral("Доля вх. потока")});
    classTable_->verticalHeader()->hide();
    classTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* classes = new QHBoxLayout;
    classes->addWidget(classesEdit_, 1);
    classes->addWidget(resetButton_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch(1);
    auto* grid = new QGridLayout(group);
    auto label = [group](const char* text) { return new QLabel(QString::fromUtf8(text), group); };
    grid->addWidget(label("Наименование"), 0, 0);
    grid->addWidget(nameEdit_, 0, 1);
    grid->addWidget(label("Время обслуживания"), 1, 0);
    grid->addWidget(serviceTimeEdit_, 1, 1);
    grid->addWidget(label("Число каналов"), 2, 0);
    grid->addWidget(channelsEdit_, 2, 1);
    grid->addWidget(boundedQueueBox_, 3, 0, 1, 2);
    grid->addWidget(label("Число мест "), 4, 0);
    grid->addWidget(placesEdit_, 4, 1);
    grid->addWidget(priorityBox_, 5, 0, 1, 2);
    grid->addWidget(label("Число классов приоритета "), 6, 0);
    grid->addLayout(classes, 6, 1);
    grid->addWidget(classTable_, 7, 0, 1, 2);
    grid->addLayout(buttons, 8, 1);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    setMinimumSize(sizeHint());
}

void QsParametersDialog::ConnectControls() {
    connect(boundedQueueBox_, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked) priorityBox_->setChecked(false);
    });
    connect(priorityBox_, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked) boundedQueueBox_->setChecked(false);
    });
    connect(classesEdit_, &QLineEdit::textChanged, this, &QsParametersDialog::ClassesChanged);
    connect(classTable_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_) sharesEdited_ = true;
    });
    connect(resetButton_, &QPushButton::clicked, this, &QsParametersDialog::ResetClassShares);
    connect(okButton_, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(cancelButton_, &QPushButton::clicked, this, &QsParametersDialog::Cancel);
}

void QsParametersDialog::EditQs(int node) {
    if (node <= 0) return;
    PrepareForQs(node);
    setResult(QDialog::Rejected);
    dialogs_.ShowModal(*this);
}

void QsParametersDialog::PrepareForQs(int node) {
    setWindowTitle(FromStd(NetworkModel::NodeLabel(node)));
    slot_ = node;
    opened_ = working_ = model_.Qs(node);
    sharesEdited_ = false;
    FillFromSlot(working_);
    serviceTimeEdit_->setFocus();
}

void QsParametersDialog::FillFromSlot(const QsParams& slot) {
    filling_ = true;
    serviceShown_ = ShownFixed(slot.ServiceTime, decimalSeparator_);
    serviceTimeEdit_->setText(serviceShown_);
    nameEdit_->setText(FromStd(slot.Name));
    channelsEdit_->setText(FromStd(FormatInteger(slot.Channels)));
    placesEdit_->setText(FromStd(FormatInteger(slot.QueuePlaces)));
    classesEdit_->setText(FromStd(FormatInteger(slot.PriorityClasses)));
    // In this order, so that a slot with both flags set opens with the priority box only.
    boundedQueueBox_->setChecked(slot.BoundedQueue);
    priorityBox_->setChecked(slot.RelativePriority);
    filling_ = false;
    ShowClassShares(slot.PriorityClasses);
}

void QsParametersDialog::ClassesChanged(const QString& text) {
    if (filling_ || text.isEmpty()) return;
    sharesEdited_ = true;
    classTable_->setRowCount(0);
    if (const auto classes = ReadClasses()) ShowClassShares(*classes);
}

// Rebuilds the table from the working slot; shares of the first K classes that sum to exactly 0
// become the equal split 1/K there.
void QsParametersDialog::ShowClassShares(int classes) {
    classTable_->setRowCount(0);
    if (classes > MaxPriorityClasses) {
        dialogs_.ShowError(this, TooManyClassesMessage);
        return;
    }
    double sum = 0;
    for (int k = 1; k <= classes; ++k) sum += working_.ClassShare(k);
    if (sum == 0)
        for (int k = 1; k <= classes; ++k) working_.ClassShare(k) = 1.0 / classes;
    for (int k = 1; k <= classes; ++k) AppendClassRow(k, working_.ClassShare(k));
}

void QsParametersDialog::AppendClassRow(int k, double share) {
    filling_ = true;
    const int row = classTable_->rowCount();
    classTable_->insertRow(row);
    auto* key = new QTableWidgetItem(QString::number(k));
    key->setFlags(key->flags() & ~Qt::ItemIsEditable);
    classTable_->setItem(row, 0, key);
    classTable_->setItem(row, ShareColumn, new QTableWidgetItem(ShownShare(share)));
    filling_ = false;
}

QString QsParametersDialog::ShownShare(double share) const {
    return FromStd(FormatLocale(share, decimalSeparator_));
}

void QsParametersDialog::ResetClassShares() {
    if (classesEdit_->text().isEmpty()) return;
    classTable_->setRowCount(0);
    const auto classes = ReadClasses();
    if (!classes) return;
    if (*classes > MaxPriorityClasses) {
        dialogs_.ShowError(this, TooManyClassesMessage);
        return;
    }
    sharesEdited_ = true;
    for (int k = 1; k <= *classes; ++k) {
        working_.ClassShare(k) = 0;
        AppendClassRow(k, 0);
    }
}

std::optional<int> QsParametersDialog::ReadClasses() {
    FieldReader reader(dialogs_, this);
    return reader.Integer(ClassesField, classesEdit_->text());
}

bool QsParametersDialog::Confirm() {
    if (slot_ <= 0) return false;
    const auto edited = ReadFields();
    if (!edited) return false;
    Store(*edited);
    accept();
    return true;
}

// Field by field as they stand in the dialog, then the checks of the counts and the shares.
std::optional<QsParams> QsParametersDialog::ReadFields() {
    FieldReader reader(dialogs_, this);
    QsParams edited = opened_;
    edited.Name = Utf8Prefix(nameEdit_->text().toStdString(), MaxNameLength);
    edited.BoundedQueue = boundedQueueBox_->isChecked();
    edited.RelativePriority = priorityBox_->isChecked();
    ReadNumbers(reader, edited);
    CheckCounts(reader, edited);
    ReadClassShares(reader, edited);
    if (reader.Refused()) return std::nullopt;
    return edited;
}

void QsParametersDialog::ReadNumbers(FieldReader& reader, QsParams& edited) {
    if (serviceTimeEdit_->text() != serviceShown_)
        if (const auto service = reader.Number(ServiceTimeField, serviceTimeEdit_->text()))
            edited.ServiceTime = service->Value;
    if (const auto channels = reader.Integer(ChannelsField, channelsEdit_->text()))
        edited.Channels = *channels;
    if (const auto places = reader.Integer(PlacesField, placesEdit_->text()))
        edited.QueuePlaces = *places;
    if (const auto classes = reader.Integer(ClassesField, classesEdit_->text()))
        edited.PriorityClasses = *classes;
}

// Counts the calculation cannot work with.
void QsParametersDialog::CheckCounts(FieldReader& reader, const QsParams& edited) {
    if (edited.Channels < 1) reader.Refuse(ChannelsMessage);
    if (edited.BoundedQueue && edited.QueuePlaces < 1) reader.Refuse(PlacesMessage);
    const int classes = edited.PriorityClasses;
    if (edited.RelativePriority && (classes < 1 || classes > MaxPriorityClasses))
        reader.Refuse(ClassRangeMessage);
    if (classes > MaxPriorityClasses) reader.Refuse(TooManyClassesMessage);
}

// A row still showing its share keeps the exact value behind it. Without the priority box the
// shares are not summed, and when the user did not touch them the slot keeps its own, so that a
// default split shown for a plain QS is not stored.
void QsParametersDialog::ReadClassShares(FieldReader& reader, QsParams& edited) {
    if (reader.Refused()) return;
    double sum = 0;
    for (int k = 1; k <= edited.PriorityClasses; ++k) {
        const QString text = ShareText(k);
        double share = working_.ClassShare(k);
        if (text != ShownShare(share)) {
            const auto entry = reader.Number(ShareField(k), text);
            if (!entry) return;
            share = entry->Value;
        }
        edited.ClassShare(k) = share;
        sum += share;
    }
    if (edited.RelativePriority && (sum < LowestShareSum || sum > HighestShareSum))
        reader.Refuse(SumMessageStart + ShownShare(sum) + ")");
    if (!edited.RelativePriority && !sharesEdited_) edited.ClassShares = opened_.ClassShares;
}

void QsParametersDialog::Store(const QsParams& edited) {
    QsParams& slot = model_.Qs(slot_);
    if (SameParameters(slot, edited)) return;
    CopyParameters(edited, slot);
    model_.SetModified(true);
    if (document_)
        document_->RecordChange("изменение параметров " + NetworkModel::NodeLabel(slot_));
}

int QsParametersDialog::ClassRowCount() const {
    return classTable_->rowCount();
}

QString QsParametersDialog::ShareText(int k) const {
    const QTableWidgetItem* item = classTable_->item(k - 1, ShareColumn);
    return item ? item->text() : QString();
}

void QsParametersDialog::SetShareText(int k, const QString& text) {
    if (QTableWidgetItem* item = classTable_->item(k - 1, ShareColumn)) item->setText(text);
}

}  // namespace qnetica
