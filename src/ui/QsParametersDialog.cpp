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

#include "model/Cp1251.h"
#include "model/Error.h"
#include "model/NumberText.h"
#include "widgets/DecimalSeparator.h"

namespace qnetica {
namespace {

const QString SumMessageStart = QStringLiteral("Сумма долей вх. потока не равна 1 (равна ");
const QString ClassRangeMessage =
    QStringLiteral("Число классов приоритета должно лежать в пределах от 1 до 50.");
const QString TooManyClassesMessage =
    QStringLiteral("Число классов приоритета не может быть больше 50.");
const QString ChannelsMessage = QStringLiteral("Число каналов должно быть не меньше 1.");
const QString PlacesMessage = QStringLiteral("Число мест должно быть не меньше 1.");

constexpr double LowestShareSum = 0.999999999;
constexpr double HighestShareSum = 1.000000001;
constexpr int ShareColumn = 1;

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QsParametersDialog::QsParametersDialog(NetworkModel& model, PlatformDialogs& dialogs,
                                       QWidget* parent)
    : QDialog(parent),
      model_(model),
      dialogs_(dialogs),
      decimalSeparator_(SystemDecimalSeparator()) {
    CreateControls();
    ConnectControls();
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
    classTable_ = new QTableWidget(0, 2, group);
    classTable_->setHorizontalHeaderLabels(
        {QStringLiteral("Класс приоритета"), QStringLiteral("Доля вх. потока")});
    classTable_->verticalHeader()->hide();
    classTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* classes = new QHBoxLayout;
    classes->addWidget(classesEdit_, 1);
    classes->addWidget(resetButton_);
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
    grid->addWidget(okButton_, 8, 1, Qt::AlignLeft);
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
    connect(resetButton_, &QPushButton::clicked, this, &QsParametersDialog::ResetClassShares);
    connect(okButton_, &QPushButton::clicked, this, [this] { Confirm(); });
}

void QsParametersDialog::EditQs(int node) {
    PrepareForQs(node);
    dialogs_.ShowModal(*this);
    TakeOver();
}

void QsParametersDialog::PrepareForQs(int node) {
    model_.SetModified(true);  // opening the dialog counts as a change, whatever follows
    setWindowTitle(FromStd(NetworkModel::NodeLabel(node)));
    slot_ = node;
    serviceTimeEdit_->clear();
    channelsEdit_->clear();
    if (slot_ > 0) FillFromSlot(model_.Qs(slot_));
    serviceTimeEdit_->setFocus();
}

void QsParametersDialog::FillFromSlot(const QsParams& slot) {
    filling_ = true;
    serviceTimeEdit_->setText(FromStd(FormatFixed(slot.ServiceTime)));
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
    classTable_->setRowCount(0);
    if (const auto classes = ReadClasses()) ShowClassShares(*classes);
}

// Rebuilds the table from the slot; shares of the first K classes that sum to exactly 0 become
// the equal split 1/K, written into the slot at once.
void QsParametersDialog::ShowClassShares(int classes) {
    classTable_->setRowCount(0);
    if (classes > MaxPriorityClasses) {
        Refuse(TooManyClassesMessage);
        return;
    }
    if (slot_ <= 0) {  // no slot to read or write: show the equal split
        for (int k = 1; k <= classes; ++k) AppendClassRow(k, 1.0 / classes);
        return;
    }
    QsParams& slot = model_.Qs(slot_);
    double sum = 0;
    for (int k = 1; k <= classes; ++k) sum += slot.ClassShare(k);
    if (sum == 0)
        for (int k = 1; k <= classes; ++k) slot.ClassShare(k) = 1.0 / classes;
    for (int k = 1; k <= classes; ++k) AppendClassRow(k, slot.ClassShare(k));
}

void QsParametersDialog::AppendClassRow(int k, double share) {
    const int row = classTable_->rowCount();
    classTable_->insertRow(row);
    auto* key = new QTableWidgetItem(QString::number(k));
    key->setFlags(key->flags() & ~Qt::ItemIsEditable);
    classTable_->setItem(row, 0, key);
    classTable_->setItem(row, ShareColumn,
                         new QTableWidgetItem(FromStd(FormatLocale(share, decimalSeparator_))));
}

void QsParametersDialog::ResetClassShares() {
    if (classesEdit_->text().isEmpty()) return;
    classTable_->setRowCount(0);
    const auto classes = ReadClasses();
    if (!classes) return;
    if (*classes > MaxPriorityClasses) {
        Refuse(TooManyClassesMessage);
        return;
    }
    for (int k = 1; k <= *classes; ++k) {
        if (slot_ > 0) model_.Qs(slot_).ClassShare(k) = 0;
        AppendClassRow(k, 0);
    }
}

std::optional<int> QsParametersDialog::ReadClasses() {
    try {
        return ParseIntegerStrict(classesEdit_->text().toStdString());
    } catch (const Error& error) {
        Refuse(FromStd(error.what()));
        return std::nullopt;
    }
}

bool QsParametersDialog::Confirm() {
    if (!CheckFields()) return false;
    accept();
    return true;
}

bool QsParametersDialog::CheckFields() {
    const auto classes = ReadClasses();
    if (!classes) return false;
    const bool priority = priorityBox_->isChecked();
    if (priority && (*classes < 1 || *classes > MaxPriorityClasses)) {
        Refuse(ClassRangeMessage);
        return false;
    }
    if (*classes > MaxPriorityClasses) {
        Refuse(TooManyClassesMessage);
        return false;
    }
    return CheckClassShares(*classes) && CheckCounts();
}

bool QsParametersDialog::CheckClassShares(int classes) {
    double sum = 0;
    try {
        for (int k = 1; k <= classes; ++k)
            sum += ParseLocaleStrict(ShareText(k).toStdString(), decimalSeparator_);
    } catch (const Error& error) {
        Refuse(FromStd(error.what()));
        return false;
    }
    if (priorityBox_->isChecked() && (sum < LowestShareSum || sum > HighestShareSum)) {
        Refuse(SumMessageStart + FromStd(FormatLocale(sum, decimalSeparator_)) + ")");
        return false;
    }
    return true;
}

// Counts the calculation cannot work with; only a dialog that edits a slot checks them.
bool QsParametersDialog::CheckCounts() {
    if (slot_ <= 0) return true;
    try {
        if (ParseIntegerStrict(channelsEdit_->text().toStdString()) < 1) {
            Refuse(ChannelsMessage);
            return false;
        }
        if (boundedQueueBox_->isChecked() &&
            ParseIntegerStrict(placesEdit_->text().toStdString()) < 1) {
            Refuse(PlacesMessage);
            return false;
        }
    } catch (const Error& error) {
        Refuse(FromStd(error.what()));
        return false;
    }
    return true;
}

bool QsParametersDialog::TakeOver() {
    if (slot_ <= 0) return true;
    try {
        TakeOverFields(model_.Qs(slot_));
    } catch (const Error& error) {
        Refuse(FromStd(error.what()));
        return false;
    }
    return true;
}

// Field by field in this order: a failed conversion stops here, the fields before it stored.
void QsParametersDialog::TakeOverFields(QsParams& slot) {
    slot.ServiceTime = ParseNumber(serviceTimeEdit_->text().toStdString());
    const std::int32_t classes = ParseIntegerStrict(classesEdit_->text().toStdString());
    if (classes > MaxPriorityClasses) throw Error(TooManyClassesMessage.toStdString());
    slot.PriorityClasses = classes;
    for (int k = 1; k <= classes; ++k)
        slot.ClassShare(k) = ParseLocaleStrict(ShareText(k).toStdString(), decimalSeparator_);
    slot.Channels = ParseIntegerStrict(channelsEdit_->text().toStdString());
    slot.Name = Utf8Prefix(nameEdit_->text().toStdString(), MaxNameLength);
    slot.QueuePlaces = ParseIntegerStrict(placesEdit_->text().toStdString());
    slot.BoundedQueue = boundedQueueBox_->isChecked();
    slot.RelativePriority = priorityBox_->isChecked();
}

void QsParametersDialog::Refuse(const QString& message) {
    dialogs_.ShowError(this, message);
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
