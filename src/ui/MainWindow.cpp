#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
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

#include "model/NumberEntry.h"
#include "ui/MatrixCellDelegate.h"
#include "ui/TransferMatrixTableModel.h"
#include "widgets/DecimalSeparator.h"
#include "widgets/DocumentHistory.h"
#include "widgets/FileSubmenus.h"
#include "widgets/HelpTopics.h"
#include "widgets/HelpWindow.h"

namespace qnetica {
namespace {

// Wide enough for the ten decimals that the random fill and the editor write, and a margin.
const QString CommonCellText = QStringLiteral("0.3333333333");
constexpr int CellMargin = 14;  // pixels
const QString InputRateField = QStringLiteral("Интенсивность вх. потока");
const QSize InitialSize(748, 568);
const QSize MinimumSize(600, 200);

}  // namespace

MainWindow::MainWindow(NetworkDocument& document, PlatformDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), document_(document), model_(document.Model()), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Qnetica"));
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
    model_.SetGenerated(false);
    model_.SetModified(false);
    NodeListChanged();
    InputRateTextChanged(model_.InputRateText());
    resize(InitialSize);
    setMinimumSize(MinimumSize);
}

MainWindow::~MainWindow() {
    model_.RemoveListener(this);
}

void MainWindow::CreateActions() {
    auto action = [this](QStyle::StandardPixmap icon, const QString& text) {
        return new QAction(style()->standardIcon(icon), text, this);
    };
    newAction_ = action(QStyle::SP_FileIcon, QStringLiteral("Новый"));
    openAction_ = action(QStyle::SP_DialogOpenButton, QStringLiteral("Открыть"));
    saveAction_ = action(QStyle::SP_DialogSaveButton, QStringLiteral("Сохранить"));
    saveAsAction_ = new QAction(QStringLiteral("Сохранить как..."), this);
    editorAction_ =
        action(QStyle::SP_FileDialogContentsView, QStringLiteral("Визуальный редактор"));
    calculateToolButton_ = action(QStyle::SP_MediaPlay, QStringLiteral("Рассчитать"));
    exitAction_ = action(QStyle::SP_DialogCloseButton, QStringLiteral("Выход"));
    calculateMenuItem_ = new QAction(QStringLiteral("Рассчитать"), this);
    helpAction_ = new QAction(QStringLiteral("Справка"), this);
    aboutAction_ = new QAction(QStringLiteral("о программе"), this);
    newAction_->setShortcut(QKeySequence::New);
    openAction_->setShortcut(QKeySequence::Open);
    saveAction_->setShortcut(QKeySequence::Save);
    saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    InstallHelpKey(this);  // F1 opens this window's page; the Help menu the contents
    calculateMenuItem_->setShortcut(QKeySequence(Qt::Key_F9));
}

void MainWindow::CreateMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&Файл"));
    fileMenu_->addAction(newAction_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(openAction_);
    fileMenu_->addAction(saveAction_);
    fileMenu_->addAction(saveAsAction_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(exitAction_);
    editMenu_ = menuBar()->addMenu(QStringLiteral("&Редактировать"));
    editMenu_->addAction(editorAction_);
    menuBar()->addMenu(QStringLiteral("&Сеть"))->addAction(calculateMenuItem_);
    QMenu* help = menuBar()->addMenu(QStringLiteral("С&правка"));
    help->addAction(helpAction_);
    help->addAction(aboutAction_);
}

void MainWindow::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Панель инструментов"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->addAction(newAction_);
    bar->addAction(openAction_);
    bar->addAction(saveAction_);
    bar->addSeparator();
    bar->addAction(editorAction_);
    bar->addAction(calculateToolButton_);
    bar->addSeparator();
    bar->addAction(exitAction_);
}

QWidget* MainWindow::CreateNodeGroup() {
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

QWidget* MainWindow::CreateMatrixGroup() {
    auto* group = new QGroupBox(QStringLiteral("Матрица вероятностей передач"), this);
    matrixTable_ = new TransferMatrixTableModel(model_, this);
    matrixView_ = new QTableView(group);
    matrixView_->setModel(matrixTable_);
    matrixView_->setItemDelegate(
        new MatrixCellDelegate([this] { model_.SetModified(true); }, matrixView_));
    matrixView_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    matrixView_->horizontalHeader()->setDefaultSectionSize(
        matrixView_->fontMetrics().horizontalAdvance(CommonCellText) + CellMargin);
    matrixView_->setTextElideMode(Qt::ElideNone);  // a narrow cell shows its first digits
    matrixView_->setWordWrap(false);
    matrixView_->verticalHeader()->setDefaultSectionSize(matrixView_->fontMetrics().height() + 8);
    matrixView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(matrixView_);
    return group;
}

QWidget* MainWindow::CreateBottomButtons() {
    auto* row = new QWidget(this);
    exitButton_ = new QPushButton(QStringLiteral("<< Выход"), row);
    editorButton_ = new QPushButton(QStringLiteral("Редактор"), row);
    randomFillButton_ = new QPushButton(QStringLiteral("Случайно заполнить"), row);
    calculateButton_ = new QPushButton(QStringLiteral("Рассчитать >>"), row);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(exitButton_);
    layout->addWidget(editorButton_);
    layout->addWidget(randomFillButton_);
    layout->addStretch(1);
    layout->addWidget(calculateButton_);
    return row;
}

void MainWindow::ConnectControls() {
    connect(newAction_, &QAction::triggered, this, [this] { NewNetwork(); });
    connect(openAction_, &QAction::triggered, this, [this] { OpenNetwork(); });
    connect(saveAction_, &QAction::triggered, this, [this] { SaveNetwork(); });
    connect(saveAsAction_, &QAction::triggered, this, [this] { SaveNetworkAs(); });
    connect(editorAction_, &QAction::triggered, this, &MainWindow::ShowVisualEditor);
    connect(calculateToolButton_, &QAction::triggered, this, &MainWindow::Calculate);
    connect(calculateMenuItem_, &QAction::triggered, this, &MainWindow::Calculate);
    connect(exitAction_, &QAction::triggered, this, [this] { ExitProgram(); });
    connect(helpAction_, &QAction::triggered, this, &MainWindow::ShowHelp);
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::ShowAbout);
    connect(inputRateEdit_, &QLineEdit::textChanged, this, &MainWindow::InputRateTyped);
    connect(inputRateEdit_, &QLineEdit::editingFinished, this, &MainWindow::InputRateFinished);
    connect(matrixTable_, &TransferMatrixTableModel::CellEdited, this,
            [this] { document_.RecordChange("изменение вероятности передачи"); });
    // Shown once the cell's editor is gone: a box that took the focus from it would make the
    // editor hand its text in a second time.
    connect(
        matrixTable_, &TransferMatrixTableModel::CellRefused, this,
        [this](const QString& message) { dialogs_.ShowError(this, message); },
        Qt::QueuedConnection);
    connect(nodeList_, &QListWidget::itemSelectionChanged, this,
            &MainWindow::UpdateParametersCommand);
    connect(addButton_, &QPushButton::clicked, this, [this] { AddQs(); });
    connect(removeButton_, &QPushButton::clicked, this, [this] { RemoveQs(); });
    connect(parametersButton_, &QPushButton::clicked, this, &MainWindow::EditQsParameters);
    connect(nodeList_, &QListWidget::itemDoubleClicked, this, &MainWindow::EditQsParameters);
    connect(exitButton_, &QPushButton::clicked, this, [this] { ExitProgram(); });
    connect(editorButton_, &QPushButton::clicked, this, &MainWindow::ShowVisualEditor);
    connect(randomFillButton_, &QPushButton::clicked, this, &MainWindow::RandomFillNetwork);
    connect(calculateButton_, &QPushButton::clicked, this, &MainWindow::Calculate);
}

bool MainWindow::NewNetwork() {
    return document_.New();
}

bool MainWindow::OpenNetwork() {
    return document_.Open();
}

bool MainWindow::SaveNetwork() {
    return document_.Save();
}

bool MainWindow::SaveNetworkAs() {
    return document_.SaveAs();
}

bool MainWindow::OpenRecentNetwork(const QString& path) {
    return document_.OpenFile(path.toStdString());
}

bool MainWindow::OpenExample(const QString& path) {
    return document_.OpenExample(path.toStdString());
}

void MainWindow::InstallRecentFiles(RecentFiles& recent) {
    AddFileSubmenus(
        fileMenu_, exitAction_, this, recent, [this](const QString& path) { OpenExample(path); },
        [this](const QString& path) { return OpenRecentNetwork(path); });
}

bool MainWindow::AddQs() {
    const bool added = document_.AddQs();
    document_.RecordChange("добавление СМО");
    return added;
}

bool MainWindow::RemoveQs() {
    const bool removed = document_.RemoveQs();
    document_.RecordChange("удаление СМО");
    return removed;
}

void MainWindow::InstallHistory(DocumentHistory& history) {
    history.AddToMenu(editMenu_, this);
}

// Only a QS has parameters: not the outside world S0, not "no node".
void MainWindow::EditQsParameters() {
    const int node = SelectedNode();
    if (node > 0) emit QsParametersRequested(node);
}

void MainWindow::UpdateParametersCommand() {
    parametersButton_->setEnabled(SelectedNode() > 0);
}

// Every number typed goes to the model at once; a text that is not yet one waits for the end of
// the edit. An empty field is allowed: the calculation says that the rate is missing.
void MainWindow::InputRateTyped(const QString& text) {
    const NumberEntry entry =
        ReadNumberEntry(InputRateField.toStdString(), text.toStdString(), EmptyEntry::Allowed);
    if (!entry.Taken()) return;
    typingInputRate_ = true;
    model_.SetInputRateText(entry.Text);
    typingInputRate_ = false;
}

// One undo step per finished edit, not per key. A text that is no number is refused: the field
// and the model go back to the rate of the last finished edit, and nothing is recorded.
void MainWindow::InputRateFinished() {
    const NumberEntry entry = ReadNumberEntry(
        InputRateField.toStdString(), inputRateEdit_->text().toStdString(), EmptyEntry::Allowed);
    if (!entry.Taken()) {
        model_.SetInputRateText(finishedInputRate_);
        ShowInputRate(finishedInputRate_);  // before the box, which takes the focus
        dialogs_.ShowError(this, QString::fromStdString(entry.Refusal));
        return;
    }
    finishedInputRate_ = entry.Text;
    ShowInputRate(entry.Text);
    document_.RecordChange("изменение интенсивности входного потока");
}

void MainWindow::ShowInputRate(const std::string& text) {
    const QString shown = ShownNumber(text);
    if (inputRateEdit_->text() != shown) inputRateEdit_->setText(shown);
}

void MainWindow::RandomFillNetwork() {
    document_.RandomFill();
}

void MainWindow::ShowVisualEditor() {
    emit VisualEditorRequested();
}

void MainWindow::Calculate() {
    emit CalculationRequested();
}

void MainWindow::SetCalculateEnabled(bool enabled) {
    calculateButton_->setEnabled(enabled);
    calculateToolButton_->setEnabled(enabled);
    calculateMenuItem_->setEnabled(enabled);
}

void MainWindow::ShowHelp() {
    HelpWindow::Show(HelpContentsPage());
}

void MainWindow::ShowAbout() {
    emit AboutRequested();
}

bool MainWindow::ExitProgram() {
    return close();
}

int MainWindow::SelectedNode() const {
    const QListWidgetItem* item = nodeList_->currentItem();
    return item && item->isSelected() ? nodeList_->row(item) : -1;
}

void MainWindow::SelectNode(int node) {
    nodeList_->setCurrentRow(node);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!document_.ConfirmDiscard()) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownBefore_) return;
    shownBefore_ = true;
    PrepareOnFirstShow();
}

void MainWindow::PrepareOnFirstShow() {
    move(2, 2);
    // The program starts in the visual editor. It opens once this window is on screen, so that
    // its modal loop does not run inside this window's show event.
    QMetaObject::invokeMethod(this, &MainWindow::ShowVisualEditor, Qt::QueuedConnection);
}

void MainWindow::NodeListChanged() {
    // Only the tail of the list changes, so the selection of the other nodes stays.
    while (nodeList_->count() > model_.NodeCount())
        delete nodeList_->takeItem(nodeList_->count() - 1);
    while (nodeList_->count() < model_.NodeCount())
        nodeList_->addItem(QString::fromStdString(NetworkModel::NodeLabel(nodeList_->count())));
    matrixTable_->CellsChanged();  // removing a node empties its row and column
    UpdateParametersCommand();
}

// The user's own typing is left as typed until the edit ends.
void MainWindow::InputRateTextChanged(const std::string& text) {
    if (typingInputRate_) return;
    finishedInputRate_ = text;
    ShowInputRate(text);
}

void MainWindow::MatrixReplaced() {
    matrixTable_->CellsChanged();
}

}  // namespace qnetica
