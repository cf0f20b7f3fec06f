#pragma once
// The help window "Vantle ヘルプ": the program's help document with its contents (a tree of the
// document's headings) and a search that lists the sections holding every word, highlights the words and
// jumps to a section. A missing help file is reported inside the window.

#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

namespace vantle {

// The help document of a program in `programFolder`: "vantle-help.html" beside it (the build), else the
// installed one in ../share/doc/vantle/ when that exists. A missing document is named beside the program.
std::string helpFileFor(const std::string& programFolder);
// The help document of the running program.
std::string helpFilePath();

class HelpWindow : public QWidget {
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the document and fills the contents. A file that is missing or cannot be read is reported in
    // the window instead, with empty contents; the result is then false.
    bool loadHelpFile(const QString& path);
    const QString& helpFile() const { return helpFile_; }

    // Lists the sections whose text holds every word of the query (case, full and half width ignored),
    // highlights every match and jumps to the first section found. Gives the number of sections found.
    int search(const QString& query);

    int sectionCount() const { return static_cast<int>(sections_.size()); }
    QString sectionTitle(int section) const;
    // Scrolls the document to the heading of the section and puts the text cursor there.
    void showSection(int section);

  private:
    struct Section {
        QString title;
        int level = 0;
        int start = 0; // document position of the heading
        int end = 0;   // position where the next heading starts (or the document ends)
    };

    void buildSections();
    void fillContents();
    void showMissingFile(const QString& message);
    void runSearchFromBox();

    QString helpFile_;
    std::vector<Section> sections_;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* searchText_ = nullptr;
    QListWidget* results_ = nullptr;
    QLabel* searchStatus_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

} // namespace vantle
