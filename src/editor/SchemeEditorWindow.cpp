#include "editor/SchemeEditorWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <cmath>

#include "editor/EditorIcons.h"
#include "editor/EditorToolPrompt.h"
#include "editor/LoadLegend.h"
#include "editor/SchemeResultsOverlay.h"
#include "editor/SchemeView.h"
#include "widgets/DocumentHistory.h"
#include "widgets/FileSubmenus.h"
#include "widgets/HelpTopics.h"
#include "widgets/HelpWindow.h"
#include "widgets/ResultsCsvExport.h"

namespace qnetica {
namespace {

const QColor ImageAreaBackground(150, 150, 150);
const QSize BarIconSize(24, 24);

QToolBar* FixedToolBar(const QString& title) {
    auto* bar = new QToolBar(title);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(BarIconSize);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    return bar;
}

}  // namespace

SchemeEditorWindow::SchemeEditorWindow(NetworkDocument& document, PlatformDialogs& dialogs,
                                       ImageSaveDialog& imageDialog, EditorHost& host,
                                       QWidget* parent)
    : QMainWindow(parent),
      document_(document),
      dialogs_(dialogs),
      imageDialog_(imageDialog),
      host_(host),
      surface_(document.Model()),
      toolState_(document.Model(), surface_, *this),
      overlay_(std::make_unique<SchemeResultsOverlay>(document)) {
    setWindowTitle(QStringLiteral("Qnetica (визуальный редактор)"));
    CreateTopBar();
    CreateToolsBar();
    CreateMenus();
    CreateImageArea();
    CreateStatusBar();
    CreateToolKeys();
    toolState_.SetDragDistance(QApplication::startDragDistance());
    // Disabled until a varied run has something to show; their menu items always work.
    for (QAction* display : {reportButton_, networkChartButton_, qsChartButton_})
        display->setEnabled(false);
    document_.AddListener(this);
    AfterToolEvent();
}

SchemeEditorWindow::~SchemeEditorWindow() {
    document_.RemoveListener(this);
}

// A half-done action of a tool is dropped before the history moves, so that it is not taken for
// a change of its own.
void SchemeEditorWindow::InstallHistory(DocumentHistory& history) {
    history.AddToMenu(editMenu_, this, [this] { CancelToolAction(); });
}

void SchemeEditorWindow::NetworkRestored() {
    toolState_.ForgetAction();
    toolState_.DropVanishedPick();
    surface_.RefreshScheme();
    AfterToolEvent();
}

void SchemeEditorWindow::ResultsCurrentChanged(bool current) {
    loadsAction_->setEnabled(current);
    if (!current) loadsAction_->setChecked(false);
    ShowOverlay();
}

void SchemeEditorWindow::ShowLoads(bool shown) {
    if (loadsAction_->isChecked() != shown) loadsAction_->setChecked(shown);
    ShowOverlay();
}

void SchemeEditorWindow::ShowProbabilities(bool shown) {
    if (probabilitiesAction_->isChecked() != shown) probabilitiesAction_->setChecked(shown);
    ShowOverlay();
}

// The loads only while the results belong to the network; the legend says which step of a
// varied run they are.
void SchemeEditorWindow::ShowOverlay() {
    const bool loads = loadsAction_->isChecked() && document_.ResultsCurrent();
    overlay_->ShowLoads(loads);
    overlay_->ShowProbabilities(probabilitiesAction_->isChecked());
    overlay_->Invalidate();
    const RunFigures& figures = document_.Figures();
    legend_->SetNote(loads && figures.VariedRun()
                         ? QStringLiteral("последний шаг расчета (%1)").arg(figures.Steps().size())
                         : QString());
    legend_->setVisible(loads);
    image_->SetOverlay(overlay_->Active() ? overlay_.get() : nullptr);
}

QAction* SchemeEditorWindow::AddBarButton(QToolBar* bar, const QIcon& icon, const QString& hint,
                                          const Command& command) {
    QAction* button = bar->addAction(icon, hint);
    button->setToolTip(hint);
    connect(button, &QAction::triggered, this, command);
    return button;
}

QAction* SchemeEditorWindow::AddMenuItem(QMenu* menu, const QString& text, const Command& command,
                                         const QKeySequence& shortcut) {
    QAction* item = menu->addAction(text);
    item->setShortcut(shortcut);
    if (command) connect(item, &QAction::triggered, this, command);
    return item;
}

void SchemeEditorWindow::CreateTopBar() {
    topBar_ = FixedToolBar(QStringLiteral("Команды"));
    addToolBar(Qt::TopToolBarArea, topBar_);
    const auto standard = [this](QStyle::StandardPixmap icon) {
        return style()->standardIcon(icon);
    };
    QToolBar* bar = topBar_;
    AddBarButton(bar, standard(QStyle::SP_FileIcon), QStringLiteral("Новый"),
                 [this] { NewNetwork(); });
    AddBarButton(bar, standard(QStyle::SP_DialogOpenButton), QStringLiteral("Открыть"),
                 [this] { OpenNetwork(); });
    AddBarButton(bar, standard(QStyle::SP_DialogSaveButton), QStringLiteral("Сохранить"),
                 [this] { SaveNetwork(); });
    AddBarButton(bar, EditorIcons::SaveImage(), QStringLiteral("Сохранить изображение схемы"),
                 [this] { SaveSchemeImage(); });
    bar->addSeparator();
    AddBarButton(bar, EditorIcons::MatrixEditor(),
                 QStringLiteral("Редактор матрицы вероятностей передач"),
                 [this] { ReturnToTable(); });
    bar->addSeparator();
    AddBarButton(bar, EditorIcons::GenerateModel(), QStringLiteral("Автогенерация модели"),
                 [this] { GenerateNetwork(); });
    bar->addSeparator();
    AddBarButton(bar, standard(QStyle::SP_MediaPlay), QStringLiteral("Рассчитать сеть"),
                 [this] { CalculateNetwork(); });
    bar->addSeparator();
    reportButton_ = AddBarButton(bar, standard(QStyle::SP_FileDialogContentsView),
                                 QStringLiteral("Показать отчет"), [this] { ShowReport(); });
    bar->addSeparator();
    networkChartButton_ = AddBarButton(bar, EditorIcons::NetworkChart(),
                                       QStringLiteral("Показать диаграмму характеристик сети"),
                                       [this] { ShowNetworkChart(); });
    qsChartButton_ = AddBarButton(bar, EditorIcons::QsChart(),
                                  QStringLiteral("Показать диаграмму характеристик СМО"),
                                  [this] { ShowQsChart(); });
    bar->addSeparator();
    AddBarButton(bar, standard(QStyle::SP_DialogHelpButton), QStringLiteral("Справка"),
                 [this] { ShowHelp(); });
    AddBarButton(bar, standard(QStyle::SP_MessageBoxInformation), QStringLiteral("о программе"),
                 [this] { ShowAbout(); });
    bar->addSeparator();
    AddBarButton(bar, standard(QStyle::SP_DialogCloseButton), QStringLiteral("Выйти"),
                 [this] { ExitProgram(); });
}

QAction* SchemeEditorWindow::AddToolButton(const QIcon& icon, const QString& hint,
                                           EditorTool tool) {
    QAction* button = AddBarButton(toolsBar_, icon, hint, [this, tool] { PressTool(tool); });
    button->setCheckable(true);
    return button;
}

void SchemeEditorWindow::CreateToolsBar() {
    toolsBar_ = FixedToolBar(QStringLiteral("Инструменты"));
    addToolBar(Qt::LeftToolBarArea, toolsBar_);
    addQsButton_ =
        AddToolButton(EditorIcons::AddQs(), QStringLiteral("Добавить СМО"), EditorTool::AddQsTool);
    moveQsButton_ = AddToolButton(EditorIcons::MoveQs(), QStringLiteral("Переместить СМО"),
                                  EditorTool::MoveQsTool);
    linkButton_ =
        AddToolButton(EditorIcons::Link(), QStringLiteral("Провести связь"), EditorTool::LinkTool);
    unlinkButton_ = AddToolButton(EditorIcons::Unlink(), QStringLiteral("Удалить связь"),
                                  EditorTool::UnlinkTool);
    deleteQsButton_ = AddBarButton(toolsBar_, EditorIcons::DeleteQs(),
                                   QStringLiteral("Удалить СМО"), [this] { DeleteQs(); });
    AddBarButton(toolsBar_, style()->standardIcon(QStyle::SP_BrowserReload),
                 QStringLiteral("Обновить"), [this] { RefreshScreen(); });
}

void SchemeEditorWindow::AddToolMenuItem(QMenu* menu, const QString& text, EditorTool tool) {
    AddMenuItem(menu, text, [this, tool] { PressTool(tool); });
}

void SchemeEditorWindow::CreateMenus() {
    QMenu* file = fileMenu_ = menuBar()->addMenu(QStringLiteral("&Файл"));
    AddMenuItem(
        file, QStringLiteral("Новый"), [this] { NewNetwork(); }, QKeySequence::New);
    file->addSeparator();
    AddMenuItem(
        file, QStringLiteral("Открыть"), [this] { OpenNetwork(); }, QKeySequence::Open);
    AddMenuItem(
        file, QStringLiteral("Сохранить"), [this] { SaveNetwork(); }, QKeySequence::Save);
    AddMenuItem(
        file, QStringLiteral("Сохранить как..."), [this] { SaveNetworkAs(); },
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    AddMenuItem(file, QStringLiteral("Сохранить изображение стохастической сети"),
                [this] { SaveSchemeImage(); });
    file->addSeparator();
    exitMenuItem_ = AddMenuItem(
        file, QStringLiteral("Выход"), [this] { ExitProgram(); },
        QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = editMenu_ = menuBar()->addMenu(QStringLiteral("&Редактировать"));
    AddMenuItem(edit, QStringLiteral("Редактор матрицы вероятностей передач"),
                [this] { ReturnToTable(); });
    edit->addSeparator();
    AddToolMenuItem(edit, QStringLiteral("Добавить СМО"), EditorTool::AddQsTool);
    AddToolMenuItem(edit, QStringLiteral("Переместить СМО"), EditorTool::MoveQsTool);
    AddToolMenuItem(edit, QStringLiteral("Провести связь"), EditorTool::LinkTool);
    AddToolMenuItem(edit, QStringLiteral("Удалить связь"), EditorTool::UnlinkTool);
    AddMenuItem(edit, QStringLiteral("Удалить СМО"), [this] { DeleteQs(); });
    edit->addSeparator();
    AddMenuItem(edit, QStringLiteral("Обновить экран"), [this] { RefreshScreen(); });

    QMenu* network = menuBar()->addMenu(QStringLiteral("&Сеть"));
    AddMenuItem(network, QStringLiteral("Автогенерация модели"), [this] { GenerateNetwork(); });
    AddMenuItem(
        network, QStringLiteral("Рассчитать"), [this] { CalculateNetwork(); },
        QKeySequence(Qt::Key_F9));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Вид"));
    loadsAction_ = AddMenuItem(view, QStringLiteral("Раскрасить СМО по загрузке"), {});
    loadsAction_->setCheckable(true);
    loadsAction_->setEnabled(false);  // until a calculation has results for the network
    connect(loadsAction_, &QAction::toggled, this, &SchemeEditorWindow::ShowLoads);
    probabilitiesAction_ = AddMenuItem(view, QStringLiteral("Показать вероятности передач"), {});
    probabilitiesAction_->setCheckable(true);
    connect(probabilitiesAction_, &QAction::toggled, this, &SchemeEditorWindow::ShowProbabilities);

    QMenu* reports = menuBar()->addMenu(QStringLiteral("&Отчеты"));
    AddMenuItem(reports, QStringLiteral("Просмотреть последний отчет"), [this] { ShowReport(); });
    reports->addSeparator();
    AddMenuItem(reports, QStringLiteral("Просмотреть диаграмму характеристик сети"),
                [this] { ShowNetworkChart(); });
    AddMenuItem(reports, QStringLiteral("Построить диаграмму характеристик отдельных СМО"),
                [this] { ShowQsChart(); });
    reports->addSeparator();
    AddMenuItem(reports, QStringLiteral("Экспорт результатов в CSV..."), [this] { ExportCsv(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("С&правка"));
    AddMenuItem(help, QStringLiteral("Справка"), [this] { ShowHelp(); });
    InstallHelpKey(this);  // F1 opens this window's page; the Help menu the contents
    AddMenuItem(help, QStringLiteral("о программе"), [this] { ShowAbout(); });
}

// The surface may be larger than the window: a scroll area reaches all of it.
void SchemeEditorWindow::CreateImageArea() {
    image_ = new SchemeView(surface_.Image());
    imageArea_ = new QScrollArea(this);
    imageArea_->setBackgroundRole(QPalette::Dark);
    QPalette palette = imageArea_->palette();
    palette.setColor(QPalette::Dark, ImageAreaBackground);
    imageArea_->setPalette(palette);
    imageArea_->setWidget(image_);
    setCentralWidget(imageArea_);
    legend_ = new LoadLegend(imageArea_->viewport());
    legend_->hide();
    connect(image_, &SchemeView::Pressed, this, &SchemeEditorWindow::ImagePressed);
    connect(image_, &SchemeView::Released, this, &SchemeEditorWindow::ImageReleased);
    connect(image_, &SchemeView::PointerMoved, this, &SchemeEditorWindow::ImagePointerMoved);
    connect(image_, &SchemeView::DoubleClicked, this, &SchemeEditorWindow::ImageDoubleClicked);
}

void SchemeEditorWindow::CreateStatusBar() {
    statusText_ = new QLabel(this);
    statusBar()->addWidget(statusText_, 1);
}

// Esc cancels what the tool is doing and switches it off; Delete deletes the last QS.
void SchemeEditorWindow::CreateToolKeys() {
    cancelToolAction_ = new QAction(QStringLiteral("Отменить действие инструмента"), this);
    cancelToolAction_->setShortcut(Qt::Key_Escape);
    connect(cancelToolAction_, &QAction::triggered, this, &SchemeEditorWindow::CancelTool);
    addAction(cancelToolAction_);
    deleteQsButton_->setShortcut(QKeySequence::Delete);
}

QString SchemeEditorWindow::StatusText() const {
    return statusText_->text();
}

QAction* SchemeEditorWindow::ToolButton(EditorTool tool) const {
    switch (tool) {
        case EditorTool::AddQsTool:
            return addQsButton_;
        case EditorTool::MoveQsTool:
            return moveQsButton_;
        case EditorTool::LinkTool:
            return linkButton_;
        case EditorTool::UnlinkTool:
            return unlinkButton_;
        case EditorTool::None:
            break;
    }
    return nullptr;
}

QSize SchemeEditorWindow::VisibleImageArea() const {
    return imageArea_->viewport()->size().boundedTo(surface_.Image().size());
}

void SchemeEditorWindow::setVisible(bool visible) {
    if (visible && !isVisible()) FillTheScreen();
    QMainWindow::setVisible(visible);
}

void SchemeEditorWindow::FillTheScreen() {
    if (const QScreen* shown = screen()) setGeometry(shown->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
}

void SchemeEditorWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) Activate();
}

void SchemeEditorWindow::Activate() {
    closeAppOnClose_ = true;
    toolState_.DropVanishedPick();
    surface_.DrawScheme();
    AfterToolEvent();
}

void SchemeEditorWindow::closeEvent(QCloseEvent* event) {
    // Only the return to the table closes the editor alone; otherwise the program ends with it,
    // unless the "save changes?" question keeps it open.
    CancelToolAction();
    if (closeAppOnClose_ && !host_.ExitProgram()) {
        event->ignore();
        return;
    }
    event->accept();
}

// The buttons, the status bar and the pointer show the tools' state, and the image what the
// handlers painted.
void SchemeEditorWindow::AfterToolEvent() {
    for (EditorTool tool : {EditorTool::AddQsTool, EditorTool::MoveQsTool, EditorTool::LinkTool,
                            EditorTool::UnlinkTool})
        ToolButton(tool)->setChecked(toolState_.ActiveTool() == tool);
    const QString prompt = ToolPrompt(toolState_);
    if (statusText_->text() != prompt) statusText_->setText(prompt);
    const QCursor cursor = ToolCursor(toolState_);
    const QCursor shown = image_->cursor();
    if (cursor.shape() != shown.shape() || cursor.pixmap().cacheKey() != shown.pixmap().cacheKey())
        image_->setCursor(cursor);
    RepaintImage(surface_.TakeChangedArea());
    ShowPickMark();
}

// What the overlay draws depends on the whole scheme: after a change it is painted anew
// everywhere, except while a symbol is dragged, when only the symbols follow it.
void SchemeEditorWindow::RepaintImage(const QRect& changed) {
    const bool moving = surface_.Moving();
    if (!overlay_->Active()) {
        image_->update(changed);
        wasMoving_ = moving;
        return;
    }
    overlay_->SetMoving(moving);
    if (!changed.isEmpty()) overlay_->Invalidate();
    if (moving != wasMoving_ || (!changed.isEmpty() && !moving))
        image_->update();
    else
        image_->update(changed);
    wasMoving_ = moving;
}

// The source of a link being drawn or deleted, with a line from it to the pointer.
void SchemeEditorWindow::ShowPickMark() {
    const EditorTool tool = toolState_.ActiveTool();
    const bool linking = tool == EditorTool::LinkTool || tool == EditorTool::UnlinkTool;
    if (!linking || !toolState_.NodePicked()) {
        image_->ShowPickMark(std::nullopt);
        return;
    }
    const SchemeLayout layout(document_.Model());
    const int source = toolState_.FirstNode();
    const QRect symbol(layout.BoxCorner(source),
                       QSize(SchemeLayout::SymbolSize, SchemeLayout::SymbolSize));
    // The line leaves the symbol at its rim, so that the label stays readable.
    const QPoint centre = layout.Centre(source), pointer = toolState_.Pointer();
    const QPointF towards = pointer - centre;
    const double length = std::hypot(towards.x(), towards.y());
    const QPoint rim = length > SchemeLayout::HalfSymbol
                           ? centre + (towards * (SchemeLayout::HalfSymbol / length)).toPoint()
                           : pointer;
    image_->ShowPickMark(
        SchemeView::PickMark{symbol, QLine(rim, pointer), tool == EditorTool::UnlinkTool});
}

void SchemeEditorWindow::CancelToolAction() {
    toolState_.CancelAction();
    AfterToolEvent();
}

void SchemeEditorWindow::CancelTool() {
    toolState_.Escape();
    AfterToolEvent();
}

void SchemeEditorWindow::PressTool(EditorTool tool) {
    toolState_.PressTool(tool);
    AfterToolEvent();
}

// The question names the QS that goes; with no QS there is nothing to ask.
void SchemeEditorWindow::DeleteQs() {
    CancelToolAction();
    const int last = document_.Model().NodeCount() - 1;
    if (last < 1) return;
    const QString question = QStringLiteral("Удалить СМО S%1 вместе с ее связями?").arg(last);
    if (dialogs_.ShowMessage(this, MessageBoxKind::Warning, question, MessageBoxButtons::YesNo) !=
        MessageBoxAnswer::Yes)
        return;
    toolState_.DeleteLastQs();
    AfterToolEvent();
}

void SchemeEditorWindow::RefreshScreen() {
    toolState_.Refresh();
    AfterToolEvent();
}

void SchemeEditorWindow::ImageClicked(QPoint point) {
    toolState_.Click(point);
    AfterToolEvent();
}

void SchemeEditorWindow::ImagePressed(QPoint point) {
    toolState_.Press(point);
    AfterToolEvent();
}

// A release that ends no drag completes a click, if it is still over the image.
void SchemeEditorWindow::ImageReleased(QPoint point, bool onImage) {
    if (!toolState_.Release(point) && onImage) toolState_.Click(point);
    AfterToolEvent();
}

void SchemeEditorWindow::ImagePointerMoved(QPoint point, bool buttonHeld) {
    if (buttonHeld)
        toolState_.DragMotion(point);
    else
        toolState_.Motion(point);
    AfterToolEvent();
}

void SchemeEditorWindow::ImageDoubleClicked(QPoint point) {
    toolState_.DoubleClick(point);
    AfterToolEvent();
}

// Opening or clearing the network redraws the whole scheme, and a picked node that went with the
// old network is forgotten.
void SchemeEditorWindow::RedrawAfter(const std::function<void()>& command) {
    CancelToolAction();
    surface_.EraseScheme();
    command();
    toolState_.DropVanishedPick();
    surface_.DrawScheme();
    AfterToolEvent();
}

bool SchemeEditorWindow::NewNetwork() {
    bool cleared = false;
    RedrawAfter([&] { cleared = document_.New(); });
    return cleared;
}

void SchemeEditorWindow::OpenNetwork() {
    RedrawAfter([this] { document_.Open(); });
}

void SchemeEditorWindow::SaveNetwork() {
    CancelToolAction();
    document_.Save();
}

void SchemeEditorWindow::SaveNetworkAs() {
    document_.SaveAs();
}

bool SchemeEditorWindow::OpenRecentNetwork(const QString& path) {
    bool opened = false;
    RedrawAfter([&] { opened = document_.OpenFile(path.toStdString()); });
    return opened;
}

void SchemeEditorWindow::OpenExample(const QString& path) {
    RedrawAfter([&] { document_.OpenExample(path.toStdString()); });
}

void SchemeEditorWindow::InstallRecentFiles(RecentFiles& recent) {
    AddFileSubmenus(
        fileMenu_, exitMenuItem_, this, recent, [this](const QString& path) { OpenExample(path); },
        [this](const QString& path) { return OpenRecentNetwork(path); });
}

void SchemeEditorWindow::SaveSchemeImage() {
    CancelToolAction();
    const auto choice = imageDialog_.Ask(this);
    if (!choice) return;
    bool saved = false;
    switch (choice->Format) {
        case ImageFormat::Bitmap:
            saved = surface_.SaveBitmap(choice->Path);
            break;
        case ImageFormat::Png:
            saved = surface_.SavePng(choice->Path);
            break;
        case ImageFormat::Vector:
            saved = surface_.SaveVector(choice->Path);
            break;
    }
    if (!saved)
        dialogs_.ShowError(this,
                           QStringLiteral("Не удалось сохранить файл \"%1\".").arg(choice->Path));
}

void SchemeEditorWindow::ReturnToTable() {
    CancelToolAction();
    surface_.EraseScheme();
    closeAppOnClose_ = false;
    host_.ReturnToTable();
    close();
}

// A network kept by the "save changes?" question is not generated over.
void SchemeEditorWindow::GenerateNetwork() {
    if (!NewNetwork()) return;
    host_.ShowGenerator();
    toolState_.CancelAction();
    toolState_.DropVanishedPick();
    toolState_.Refresh();
    AfterToolEvent();
}

void SchemeEditorWindow::CalculateNetwork() {
    CancelToolAction();
    host_.Calculate();
}

// The report of the last varied run, in the program's report viewer.
void SchemeEditorWindow::ShowReport() {
    host_.ShowReport(QString::fromStdString(document_.Plan().ReportFileName));
}

void SchemeEditorWindow::ShowNetworkChart() {
    host_.ShowNetworkChart();
}

void SchemeEditorWindow::ShowQsChart() {
    host_.ShowQsChart();
}

void SchemeEditorWindow::ExportCsv() {
    CancelToolAction();
    ExportResultsCsv(this, dialogs_, document_.Figures());
}

void SchemeEditorWindow::ShowHelp() {
    HelpWindow::Show(HelpContentsPage());
}

void SchemeEditorWindow::ShowAbout() {
    host_.ShowAbout();
}

void SchemeEditorWindow::ExitProgram() {
    CancelToolAction();
    if (!host_.ExitProgram()) return;
    closeAppOnClose_ = false;  // the program is ending: the main window has closed already
    close();
}

void SchemeEditorWindow::EnableDisplayCommands() {
    for (QAction* display : {reportButton_, networkChartButton_, qsChartButton_})
        display->setEnabled(true);
}

bool SchemeEditorWindow::AddQs() {
    return document_.AddQs();
}

void SchemeEditorWindow::RemoveQs() {
    document_.RemoveQs();
}

void SchemeEditorWindow::EditQsParameters(int node) {
    host_.EditQsParameters(node);
}

QString SchemeEditorWindow::AskValue(const QString& prompt, const QString& text) {
    return host_.AskValue(prompt, text);
}

void SchemeEditorWindow::RecordChange(const std::string& what) {
    document_.RecordChange(what);
}

}  // namespace qnetica
