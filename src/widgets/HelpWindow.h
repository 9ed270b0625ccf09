#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace qnetica {

// The program's help: the pages of the help folder in a text browser, with their contents (the
// pages and their sections) on the left and a search that keeps the pages holding a text and
// marks it on the page. It needs no viewer of the desktop. There is one for the program
// (Instance), opened on a page and a section by Show.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(const QString& folder, QWidget* parent = nullptr);

    // The program's help window, on the help folder of the program's data; made when first asked.
    static HelpWindow& Instance();
    // Opens the program's help window on a page (a file name such as "results.htm") and a section
    // of it, and shows it in front. An unknown page opens the contents.
    static void Show(const QString& page, const QString& anchor = {});

    void Open(const QString& page, const QString& anchor = {});
    void SetFolder(const QString& folder);  // reads the pages of another help folder
    void Search(const QString& text);       // as if typed into the search field

    QString CurrentPage() const;    // file name of the page shown
    QString CurrentAnchor() const;  // the section it was opened on, or empty
    // The pages whose text holds the text (any case), in the order of the contents.
    QStringList PagesContaining(const QString& text) const;
    // The anchors of a page's sections, as the browser knows them.
    QStringList SectionAnchors(const QString& page) const;
    int MarkedCount() const;  // the places of the search text marked on the page shown

    QTextBrowser* Browser() const { return browser_; }
    QLineEdit* SearchField() const { return searchField_; }
    QTreeWidget* Contents() const { return contents_; }

  private:
    struct Section {
        QString Anchor;
        QString Title;
        QString Text;
    };
    struct PageText {
        QString File;
        QString Title;
        QString Text;  // the whole page as plain text
        QList<Section> Sections;
    };

    void LoadPages();
    PageText ReadPage(const QString& file, const QString& title) const;
    void BuildContents();
    void FilterContents();
    void OpenItem(QTreeWidgetItem* item);
    void OpenFirstFound();
    void SelectItemOf(const QUrl& url);
    void MarkSearchText(const QString& anchor);

    QString folder_;
    QList<PageText> pages_;
    QTextBrowser* browser_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QTreeWidget* contents_ = nullptr;
};

// F1: the help page of the window that holds the widget, by the table of HelpTopics.
void ShowHelpFor(QWidget* widget);
// Gives a window (a dialog without a help menu) the F1 key that opens its page.
void InstallHelpKey(QWidget* window);

}  // namespace qnetica
