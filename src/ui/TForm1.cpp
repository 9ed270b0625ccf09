#include "ui/TForm1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "editor/TForm5.h"
#include "model/NetworkFile.h"
#include "runs/RunCalculation.h"
#include "ui/DataFolder.h"
#include "ui/MatrixCellDelegate.h"
#include "ui/TForm2.h"
#include "ui/TForm4.h"
#include "ui/TransferMatrixTableModel.h"
#include "ui/WindowRunPresenter.h"

namespace qnetica {
namespace {

const QString SaveChangesQuestion = QStringLiteral("Схема была изменена.\n\rСохранить изменения?");
const QString TooManyQsMessage = QStringLiteral("Сеть может содержать не более 150 СМО.");
const QString NetworkFileDescription = QStringLiteral("Стохастическая сеть");
const QString NetworkFilePattern = QStringLiteral("*.qnf");
const QString NetworkFileSuffix = QStringLiteral("qnf");
const QString HelpPage = QStringLiteral("help/help.htm");

constexpr int DefaultColumnWidth = 40;
const QSize InitialSize(748, 568);
const QSize MinimumSize(600, 200);

}  // namespace

TForm1::TForm1(PlatformDialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Qnetica"));
    openMemory_.Folder = saveMemory_.Folder = DataPath(QStringLiteral("models"));
    CreateActions();
    CreateMenus();
    CreateToolBar();

    auto* central = new QWidget(this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(CreateNodeGroup());
    groups->addWidget(CreateMatrixGroup(), 1);
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(groups, 1);
    layout->addWidget(CreateBottomButtons());
    setCentralWidget(central);

    ConnectControls();
    // Enabled: a user of the table editor expects to calculate from it.
    SetCalculateEnabled(true);
    model_.AddListener(this);
    model_.SetClearHook([this](int nodeCount) { ResetPlanOnClear(nodeCount); });
    model_.SetGenerated(false);
    model_.SetModified(false);
    NodeListChanged();
    resize(InitialSize);
    setMinimumSize(MinimumSize);
}

TForm1::~TForm1() {
    model_.RemoveListener(this);
    model_.SetClearHook(nullptr);
}

void TForm1::CreateActions() {
    auto action = [this](QStyle::StandardPixmap icon, const QString& text) {
        return new QAction(style()->standardIcon(icon), text, this);
    };
    newAction_ = action(QStyle::SP_FileIcon, QStringLiteral("Новый"));
    openAction_ = action(QStyle::SP_DialogOpenButton, QStringLiteral("Открыть"));
    saveAction_ = action(QStyle::SP_DialogSaveButton, QStringLiteral("Сохранить"));
    editorAction_ =
        action(QStyle::SP_FileDialogContentsView, QStringLiteral("Визуальный редактор"));
    ToolButton7_ = action(QStyle::SP_MediaPlay, QStringLiteral("Рассчитать"));
    exitAction_ = action(QStyle::SP_DialogCloseButton, QStringLiteral("Выход"));
    calculateMenuItem_ = new QAction(QStringLiteral("Рассчитать"), this);
    helpAction_ = new QAction(QStringLiteral("Справка"), this);
    aboutAction_ = new QAction(QStringLiteral("о программе"), this);
}

void TForm1::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    file->addAction(newAction_);
    file->addSeparator();
    file->addAction(openAction_);
    file->addAction(saveAction_);
    file->addSeparator();
    file->addAction(exitAction_);
    menuBar()->addMenu(QStringLiteral("Редактировать"))->addAction(editorAction_);
    menuBar()->addMenu(QStringLiteral("Сеть"))->addAction(calculateMenuItem_);
    QMenu* help = menuBar()->addMenu(QStringLiteral("Справка"));
    help->addAction(helpAction_);
    help->addAction(aboutAction_);
}

void TForm1::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Панель инструментов"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->addAction(newAction_);
    bar->addAction(openAction_);
    bar->addAction(saveAction_);
    bar->addSeparator();
    bar->addAction(editorAction_);
    bar->addAction(ToolButton7_);
    bar->addSeparator();
    bar->addAction(exitAction_);
}

QWidget* TForm1::CreateNodeGroup() {
    auto* group = new QGroupBox(QStringLiteral("СМО в системе"), this);
    inputRateEdit_ = new QLineEdit(group);
    // Room for a five-digit rate with its ten decimals; wider when the group is.
    inputRateEdit_->setMinimumWidth(inputRateEdit_->fontMetrics().horizontalAdvance('0') * 17);
    nodeList_ = new QListWidget(group);
    addButton_ = new QPushButton(QStringLiteral("+"), group);
    removeButton_ = new QPushButton(QStringLiteral("-"), group);
    parametersButton_ = new QPushButton(QStringLiteral("Параметры СМО"), group);
    for (QPushButton* small : {addButton_, removeButton_})
        small->setFixedWidth(small->fontMetrics().horizontalAdvance(QStringLiteral("+")) * 4 + 16);

    auto* rate = new QHBoxLayout;
    rate->addWidget(new QLabel(QStringLiteral("Интенсивность вх. потока"), group));
    rate->addWidget(inputRateEdit_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addButton_);
    buttons->addWidget(removeButton_);
    buttons->addWidget(parametersButton_, 1);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(rate);
    layout->addWidget(nodeList_, 1);
    layout->addLayout(buttons);
    group->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return group;
}

QWidget* TForm1::CreateMatrixGroup() {
    auto* group = new QGroupBox(QStringLiteral("Матрица вероятностей передач"), this);
    matrixTable_ = new TransferMatrixTableModel(model_.Matrix(), this);
    StringGrid1_ = new QTableView(group);
    StringGrid1_->setModel(matrixTable_);
    StringGrid1_->setItemDelegate(
        new MatrixCellDelegate([this] { model_.SetModified(true); }, StringGrid1_));
    StringGrid1_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                  QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed);
    StringGrid1_->horizontalHeader()->setDefaultSectionSize(DefaultColumnWidth);
    StringGrid1_->setTextElideMode(Qt::ElideNone);  // a narrow cell shows its first digits
    StringGrid1_->setWordWrap(false);
    StringGrid1_->verticalHeader()->setDefaultSectionSize(StringGrid1_->fontMetrics().height() + 8);
    StringGrid1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(StringGrid1_);
    return group;
}

QWidget* TForm1::CreateBottomButtons() {
    auto* row = new QWidget(this);
    exitButton_ = new QPushButton(QStringLiteral("<< Выход"), row);
    editorButton_ = new QPushButton(QStringLiteral("Редактор"), row);
    randomFillButton_ = new QPushButton(QStringLiteral("Случайно заполнить"), row);
    Button4_ = new QPushButton(QStringLiteral("Рассчитать >>"), row);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(exitButton_);
    layout->addWidget(editorButton_);
    layout->addWidget(randomFillButton_);
    layout->addStretch(1);
    layout->addWidget(Button4_);
    return row;
}

void TForm1::ConnectControls() {
    connect(newAction_, &QAction::triggered, this, [this] { NewNetwork(); });
    connect(openAction_, &QAction::triggered, this, [this] { OpenNetwork(); });
    connect(saveAction_, &QAction::triggered, this, [this] { SaveNetwork(); });
    connect(editorAction_, &QAction::triggered, this, &TForm1::ShowVisualEditor);
    connect(ToolButton7_, &QAction::triggered, this, &TForm1::RunCalculation);
    connect(calculateMenuItem_, &QAction::triggered, this, &TForm1::RunCalculation);
    connect(exitAction_, &QAction::triggered, this, [this] { ExitProgram(); });
    connect(helpAction_, &QAction::triggered, this, &TForm1::ShowHelp);
    connect(aboutAction_, &QAction::triggered, this, &TForm1::ShowAbout);
    connect(inputRateEdit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.SetInputRateText(text.toStdString()); });
    connect(addButton_, &QPushButton::clicked, this, [this] { AddQs(); });
    connect(removeButton_, &QPushButton::clicked, this, [this] { RemoveQs(); });
    connect(parametersButton_, &QPushButton::clicked, this, &TForm1::EditQsParameters);
    connect(nodeList_, &QListWidget::itemDoubleClicked, this, &TForm1::EditQsParameters);
    connect(exitButton_, &QPushButton::clicked, this, [this] { ExitProgram(); });
    connect(editorButton_, &QPushButton::clicked, this, &TForm1::ShowVisualEditor);
    connect(randomFillButton_, &QPushButton::clicked, this, &TForm1::RandomFillNetwork);
    connect(Button4_, &QPushButton::clicked, this, &TForm1::Button4Click);
}

bool TForm1::AskToSaveChanges() {
    if (!model_.Modified()) return true;
    switch (dialogs_.ShowMessage(this, MessageBoxKind::Warning, SaveChangesQuestion,
                                 MessageBoxButtons::YesNoCancel)) {
        case MessageBoxAnswer::Yes:
            return SaveNetwork();  // a cancelled or failed save keeps all
        case MessageBoxAnswer::No:
            return true;
        default:
            return false;
    }
}

bool TForm1::NewNetwork() {
    if (!AskToSaveChanges()) return false;
    model_.Clear();
    return true;
}

FileDialogRequest TForm1::NetworkFileRequest(const QString& title,
                                             const FileDialogMemory& memory) const {
    FileDialogRequest request;
    request.Title = title;
    request.Types = {{NetworkFileDescription, NetworkFilePattern}};
    request.FileName = memory.FileName;
    request.Folder = memory.Folder;
    request.DefaultSuffix = NetworkFileSuffix;
    return request;
}

void TForm1::Remember(FileDialogMemory& memory, const QString& path) {
    memory.FileName = path;
    memory.Folder = QFileInfo(path).absolutePath();
}

bool TForm1::OpenNetwork() {
    const auto chosen =
        dialogs_.AskOpenFile(this, NetworkFileRequest(QStringLiteral("Открыть файл"), openMemory_));
    if (!chosen) return false;
    return OpenNetworkAt(chosen->Path);
}

bool TForm1::OpenNetworkAt(const QString& path) {
    Remember(openMemory_, path);
    const FileResult result = OpenNetworkFile(model_, path.toStdString());
    if (!result.Ok) dialogs_.ShowError(this, QString::fromStdString(result.Message));
    return result.Ok;
}

bool TForm1::SaveNetwork() {
    const auto chosen = dialogs_.AskSaveFile(
        this, NetworkFileRequest(QStringLiteral("Сохранить файл"), saveMemory_));
    if (!chosen) return false;
    Remember(saveMemory_, chosen->Path);
    const FileResult result = SaveNetworkFile(model_, chosen->Path.toStdString());
    if (!result.Ok) dialogs_.ShowError(this, QString::fromStdString(result.Message));
    return result.Ok;
}

bool TForm1::AddQs() {
    if (model_.AddNode()) return true;
    dialogs_.ShowPlain(this, TooManyQsMessage);
    return false;
}

bool TForm1::RemoveQs() {
    return model_.RemoveLastNode();
}

void TForm1::EditQsParameters() {
    if (windows_.Form2) windows_.Form2->EditQs(SelectedNode());
}

void TForm1::RandomFillNetwork() {
    RandomFill(model_, random_, SchemeAreaWidth, SchemeAreaHeight);
}

void TForm1::ShowVisualEditor() {
    if (windows_.Form5) dialogs_.ShowModal(*windows_.Form5);
}

void TForm1::RunCalculation() {
    WindowRunPresenter presenter(windows_, dialogs_, model_);
    RunState& run = *runState_;
    qnetica::RunCalculation(model_, {run.Plan, run.Tables, run.Totals, run.Engine, run.Work},
                            presenter);
}

void TForm1::Button4Click() {
    RunCalculation();
}

void TForm1::SetCalculateEnabled(bool enabled) {
    Button4_->setEnabled(enabled);
    ToolButton7_->setEnabled(enabled);
    calculateMenuItem_->setEnabled(enabled);
}

void TForm1::ShowHelp() {
    // A missing page is the viewer's business: the program shows no message of its own. The page
    // is looked for in the program's data folder, so that it is found whatever the working folder.
    dialogs_.OpenDocument(DataPath(HelpPage), DocumentWindow::Maximised);
}

void TForm1::ShowAbout() {
    if (windows_.Form4) dialogs_.ShowModal(*windows_.Form4);
}

bool TForm1::ExitProgram() {
    return close();
}

int TForm1::SelectedNode() const {
    const QListWidgetItem* item = nodeList_->currentItem();
    return item && item->isSelected() ? nodeList_->row(item) : -1;
}

void TForm1::SelectNode(int node) {
    nodeList_->setCurrentRow(node);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!AskToSaveChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownBefore_) return;
    shownBefore_ = true;
    PrepareOnFirstShow();
}

void TForm1::PrepareOnFirstShow() {
    move(2, 2);
    // The program starts in the visual editor. It opens once this window is on screen, so that
    // its modal loop does not run inside this window's show event.
    QMetaObject::invokeMethod(this, &TForm1::ShowVisualEditor, Qt::QueuedConnection);
}

// With the node count of the network being discarded, so that its QS's values go with it.
void TForm1::ResetPlanOnClear(int nodeCount) {
    runState_->Plan.ResetPlan(nodeCount);
}

void TForm1::NodeListChanged() {
    // Only the tail of the list changes, so the selection of the other nodes stays.
    while (nodeList_->count() > model_.NodeCount())
        delete nodeList_->takeItem(nodeList_->count() - 1);
    while (nodeList_->count() < model_.NodeCount())
        nodeList_->addItem(QString::fromStdString(NetworkModel::NodeLabel(nodeList_->count())));
    matrixTable_->CellsChanged();  // removing a node empties its row and column
}

void TForm1::InputRateTextChanged(const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (inputRateEdit_->text() != shown) inputRateEdit_->setText(shown);
}

void TForm1::MatrixReplaced() {
    matrixTable_->CellsChanged();
}

}  // namespace qnetica
