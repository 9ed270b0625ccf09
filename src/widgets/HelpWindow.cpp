#include "widgets/HelpWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "widgets/DataFolder.h"
#include "widgets/HelpTopics.h"
#include "widgets/ModelessWindow.h"

namespace qnetica {
namespace {

constexpr int PageRole = Qt::UserRole;
constexpr int AnchorRole = Qt::UserRole + 1;
constexpr int TitleRole = Qt::UserRole + 2;
const QColor SearchMark(255, 225, 0);

QString ReadUtf8(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// The anchor names that a block carries, as the browser's scrolling to an anchor finds them.
QStringList BlockAnchors(const QTextBlock& block) {
    QStringList anchors;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
        anchors += fragment.fragment().charFormat().anchorNames();
    return anchors;
}

QTreeWidgetItem* MakeItem(const QString& title, const QString& page, const QString& anchor) {
    auto* item = new QTreeWidgetItem(QStringList{title});
    item->setData(0, PageRole, page);
    item->setData(0, AnchorRole, anchor);
    item->setData(0, TitleRole, title);
    return item;
}

}  // namespace

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(folder) {
    setWindowTitle(QStringLiteral("Справка Qnetica"));
    searchField_ = new QLineEdit(this);
    searchField_->setPlaceholderText(QStringLiteral("Поиск по справке"));
    searchField_->setClearButtonEnabled(true);
    contents_ = new QTreeWidget(this);
    contents_->setHeaderHidden(true);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);

    auto* bar = new QToolBar(this);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                   QStringLiteral("Назад"), browser_, &QTextBrowser::backward);
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                      QStringLiteral("Вперед"), browser_, &QTextBrowser::forward);
    bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Содержание"),
                   this, [this] { Open(HelpContentsPage()); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(searchField_);
    leftLayout->addWidget(contents_, 1);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar);
    layout->addWidget(splitter, 1);

    connect(searchField_, &QLineEdit::textChanged, this, [this] {
        FilterContents();
        MarkSearchText(CurrentAnchor());
    });
    connect(searchField_, &QLineEdit::returnPressed, this, &HelpWindow::OpenFirstFound);
    connect(contents_, &QTreeWidget::itemActivated, this, &HelpWindow::OpenItem);
    connect(contents_, &QTreeWidget::itemClicked, this, &HelpWindow::OpenItem);
    // The signal comes before source() tells the new page: the page is taken from the signal.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        SelectItemOf(url);
        MarkSearchText(url.fragment());
    });
    InstallHelpKey(this);
    resize(920, 660);
    LoadPages();
}

HelpWindow& HelpWindow::Instance() {
    static QPointer<HelpWindow> instance;
    if (!instance) {
        instance = new HelpWindow(DataPath(QStringLiteral("help")));
        // Help left open does not keep the program running after its last window closed.
        instance->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *instance;
}

void HelpWindow::Show(const QString& page, const QString& anchor) {
    HelpWindow& help = Instance();
    help.Open(page, anchor);
    ShowModeless(help);
}

void HelpWindow::SetFolder(const QString& folder) {
    folder_ = folder;
    LoadPages();
}

void HelpWindow::LoadPages() {
    pages_.clear();
    for (const HelpPage& page : HelpPages()) pages_.append(ReadPage(page.File, page.Title));
    browser_->setSearchPaths({folder_});
    BuildContents();
    FilterContents();
}

HelpWindow::PageText HelpWindow::ReadPage(const QString& file, const QString& title) const {
    PageText page{file, title, {}, {}};
    QTextDocument document;
    document.setHtml(ReadUtf8(QDir(folder_).filePath(file)));
    page.Text = document.toPlainText();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QStringList anchors = BlockAnchors(block);
        if (block.blockFormat().headingLevel() == 2 && !anchors.isEmpty())
            page.Sections.append({anchors.front(), block.text().trimmed(), {}});
        if (!page.Sections.isEmpty()) page.Sections.back().Text += block.text() + '\n';
    }
    return page;
}

void HelpWindow::BuildContents() {
    contents_->clear();
    for (const PageText& page : pages_) {
        QTreeWidgetItem* item = MakeItem(page.Title, page.File, {});
        for (const Section& section : page.Sections)
            item->addChild(MakeItem(section.Title, page.File, section.Anchor));
        contents_->addTopLevelItem(item);
    }
}

// Without a search text every page and section is listed; with one, those that hold it, each
// page with the number of places.
void HelpWindow::FilterContents() {
    const QString text = searchField_->text().trimmed();
    for (int i = 0; i < contents_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = contents_->topLevelItem(i);
        const PageText& page = pages_[i];
        const qsizetype found = text.isEmpty() ? 0 : page.Text.count(text, Qt::CaseInsensitive);
        item->setHidden(!text.isEmpty() && found == 0);
        item->setText(
            0, text.isEmpty() ? page.Title : QStringLiteral("%1 (%2)").arg(page.Title).arg(found));
        for (int s = 0; s < item->childCount(); ++s)
            item->child(s)->setHidden(!text.isEmpty() &&
                                      !page.Sections[s].Text.contains(text, Qt::CaseInsensitive));
        item->setExpanded(!text.isEmpty() && found > 0);
    }
}

void HelpWindow::Open(const QString& page, const QString& anchor) {
    const QString path = QDir(folder_).filePath(page);
    if (page.isEmpty() || !QFileInfo(path).isFile()) {
        if (page != HelpContentsPage()) Open(HelpContentsPage());
        return;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    browser_->setSource(url);
}

void HelpWindow::Search(const QString& text) {
    searchField_->setText(text);
}

// A click and an activation of one item open it once.
void HelpWindow::OpenItem(QTreeWidgetItem* item) {
    if (!item) return;
    const QString page = item->data(0, PageRole).toString();
    const QString anchor = item->data(0, AnchorRole).toString();
    if (page != CurrentPage() || anchor != CurrentAnchor()) Open(page, anchor);
}

void HelpWindow::OpenFirstFound() {
    for (int i = 0; i < contents_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = contents_->topLevelItem(i);
        if (item->isHidden()) continue;
        Open(item->data(0, PageRole).toString());
        return;
    }
}

// The contents follow the browser, also when a link inside a page was followed.
void HelpWindow::SelectItemOf(const QUrl& url) {
    const QString page = url.fileName();
    const QString anchor = url.fragment();
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < contents_->topLevelItemCount() && !found; ++i) {
        QTreeWidgetItem* item = contents_->topLevelItem(i);
        if (item->data(0, PageRole).toString() != page) continue;
        found = item;
        for (int s = 0; s < item->childCount(); ++s)
            if (item->child(s)->data(0, AnchorRole).toString() == anchor) found = item->child(s);
    }
    const QSignalBlocker quiet(contents_);
    contents_->setCurrentItem(found);
}

// Every place of the search text on the page gets a coloured background; without a section to
// show, the page is scrolled to the first of them.
void HelpWindow::MarkSearchText(const QString& anchor) {
    QList<QTextEdit::ExtraSelection> marks;
    const QString text = searchField_->text().trimmed();
    QTextDocument* document = browser_->document();
    for (QTextCursor cursor = text.isEmpty() ? QTextCursor() : document->find(text);
         !cursor.isNull(); cursor = document->find(text, cursor)) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = cursor;
        mark.format.setBackground(SearchMark);
        marks.append(mark);
    }
    browser_->setExtraSelections(marks);
    if (marks.isEmpty() || !anchor.isEmpty()) return;
    QTextCursor first = marks.front().cursor;
    first.clearSelection();
    browser_->setTextCursor(first);
    browser_->ensureCursorVisible();
}

QString HelpWindow::CurrentPage() const {
    return browser_->source().fileName();
}

QString HelpWindow::CurrentAnchor() const {
    return browser_->source().fragment();
}

QStringList HelpWindow::PagesContaining(const QString& text) const {
    QStringList found;
    for (const PageText& page : pages_)
        if (page.Text.contains(text, Qt::CaseInsensitive)) found.append(page.File);
    return found;
}

QStringList HelpWindow::SectionAnchors(const QString& page) const {
    QStringList anchors;
    for (const PageText& text : pages_)
        if (text.File == page)
            for (const Section& section : text.Sections) anchors.append(section.Anchor);
    return anchors;
}

int HelpWindow::MarkedCount() const {
    return static_cast<int>(browser_->extraSelections().size());
}

void ShowHelpFor(QWidget* widget) {
    const HelpTopic topic = HelpTopicFor(widget ? widget->window() : nullptr);
    HelpWindow::Show(topic.Page, topic.Anchor);
}

void InstallHelpKey(QWidget* window) {
    auto* key = new QAction(window);
    key->setShortcut(QKeySequence(Qt::Key_F1));
    key->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(key, &QAction::triggered, window, [window] { ShowHelpFor(window); });
    window->addAction(key);
}

}  // namespace qnetica
