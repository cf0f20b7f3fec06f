#include "platform/qt/HelpWindow.h"

#include "platform/qt/HelpSearch.h"
#include "platform/qt/WidgetSetup.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cassert>
#include <filesystem>
#include <utility>

namespace vantle {

namespace {

namespace help_text {
constexpr const char* kTitle = "Vantle ヘルプ";
constexpr const char* kContentsTab = "目次";
constexpr const char* kSearchTab = "検索";
constexpr const char* kSearchButton = "検索(&S)";
constexpr const char* kSearchHint = "探す言葉を入力してください";
constexpr const char* kCloseButton = "閉じる(&C)";
constexpr const char* kFound = "%1 件の項目が見つかりました。";
constexpr const char* kNotFound = "該当する項目が見つかりません。";
constexpr const char* kMissingFile = "ヘルプファイル「%1」が見つかりません。";
constexpr const char* kUnreadableFile = "ヘルプファイル「%1」を読み込めません。";
} // namespace help_text

QString tr8(const char* text) {
    return QString::fromUtf8(text);
}

constexpr int kSectionRole = Qt::UserRole;

} // namespace

std::string helpFileFor(const std::string& programFolder) {
    namespace fs = std::filesystem;
    const fs::path beside = fs::path(programFolder) / "vantle-help.html";
    const fs::path installed = fs::path(programFolder).parent_path() / "share/doc/vantle/vantle-help.html";
    std::error_code error;
    if (!fs::is_regular_file(beside, error) && fs::is_regular_file(installed, error))
        return installed.lexically_normal().string();
    return beside.string();
}

std::string helpFilePath() {
    return helpFileFor(QCoreApplication::applicationDirPath().toStdString());
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr8(help_text::kTitle));
    resize(860, 620);

    auto* layout = new QVBoxLayout(this);
    auto* splitter = makeChild<QSplitter>(this, "helpSplitter", Qt::Horizontal);
    layout->addWidget(splitter);
    // A close button of its own, and Escape, as in the program's other windows.
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    auto* closeButton = makeChild<QPushButton>(this, "helpCloseButton", tr8(help_text::kCloseButton));
    buttonRow->addWidget(closeButton);
    layout->addLayout(buttonRow);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    tabs_ = makeChild<QTabWidget>(splitter, "helpTabs");
    contents_ = makeChild<QTreeWidget>(tabs_, "helpContents");
    contents_->setHeaderHidden(true);
    tabs_->addTab(contents_, tr8(help_text::kContentsTab));

    auto* searchPage = makeChild<QWidget>(tabs_, "helpSearchPage");
    auto* searchLayout = new QVBoxLayout(searchPage);
    auto* searchRow = new QHBoxLayout;
    searchText_ = makeChild<QLineEdit>(searchPage, "helpSearchText");
    searchText_->setPlaceholderText(tr8(help_text::kSearchHint));
    // Wide enough for its hint, with the frame and margins the style adds around the text.
    searchText_->setMinimumWidth(searchText_->fontMetrics().horizontalAdvance(tr8(help_text::kSearchHint)) +
                                 searchText_->fontMetrics().averageCharWidth() * 3);
    auto* searchButton =
        makeChild<QPushButton>(searchPage, "helpSearchButton", tr8(help_text::kSearchButton));
    searchRow->addWidget(searchText_);
    searchRow->addWidget(searchButton);
    searchLayout->addLayout(searchRow);
    searchStatus_ = makeChild<QLabel>(searchPage, "helpSearchStatus");
    searchLayout->addWidget(searchStatus_);
    results_ = makeChild<QListWidget>(searchPage, "helpSearchResults");
    searchLayout->addWidget(results_);
    tabs_->addTab(searchPage, tr8(help_text::kSearchTab));

    browser_ = makeChild<QTextBrowser>(splitter, "helpBrowser");
    browser_->setOpenExternalLinks(false);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    // The contents side is as wide as its search row needs.
    const int side = std::max(240, tabs_->minimumSizeHint().width());
    splitter->setSizes({side, 620});
    resize(std::max(width(), side + 620), height());

    connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr)
            showSection(item->data(0, kSectionRole).toInt());
    });
    connect(results_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item != nullptr)
            showSection(item->data(kSectionRole).toInt());
    });
    connect(searchText_, &QLineEdit::returnPressed, this, &HelpWindow::runSearchFromBox);
    connect(searchButton, &QPushButton::clicked, this, &HelpWindow::runSearchFromBox);
}

bool HelpWindow::loadHelpFile(const QString& path) {
    helpFile_ = path;
    sections_.clear();
    contents_->clear();
    results_->clear();
    searchStatus_->clear();
    browser_->setExtraSelections({});

    const QFileInfo info(path);
    if (!info.isFile()) {
        showMissingFile(tr8(help_text::kMissingFile).arg(QDir::toNativeSeparators(path)));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMissingFile(tr8(help_text::kUnreadableFile).arg(QDir::toNativeSeparators(path)));
        return false;
    }
    file.close();
    browser_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()), QTextDocument::HtmlResource);
    buildSections();
    fillContents();
    return true;
}

void HelpWindow::showMissingFile(const QString& message) {
    browser_->setPlainText(message);
}

void HelpWindow::buildSections() {
    const QTextDocument* document = browser_->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        const QString title = block.text().simplified();
        if (level <= 0 || title.isEmpty())
            continue;
        if (!sections_.empty())
            sections_.back().end = block.position();
        sections_.push_back({title, level, block.position(), 0});
    }
    if (!sections_.empty())
        sections_.back().end = document->characterCount();
}

void HelpWindow::fillContents() {
    // A heading hangs below the nearest earlier heading of a higher level.
    std::vector<std::pair<int, QTreeWidgetItem*>> open;
    for (int i = 0; i < sectionCount(); ++i) {
        const Section& section = sections_[static_cast<std::size_t>(i)];
        while (!open.empty() && open.back().first >= section.level)
            open.pop_back();
        QTreeWidgetItem* item =
            open.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(open.back().second);
        item->setText(0, section.title);
        item->setData(0, kSectionRole, i);
        open.emplace_back(section.level, item);
    }
    contents_->expandToDepth(0);
}

QString HelpWindow::sectionTitle(int section) const {
    assert(section >= 0 && section < sectionCount());
    return sections_[static_cast<std::size_t>(section)].title;
}

void HelpWindow::showSection(int section) {
    if (section < 0 || section >= sectionCount())
        return;
    const QTextBlock block =
        browser_->document()->findBlock(sections_[static_cast<std::size_t>(section)].start);
    browser_->setTextCursor(QTextCursor(block));
    const QRectF where = browser_->document()->documentLayout()->blockBoundingRect(block);
    browser_->verticalScrollBar()->setValue(static_cast<int>(where.top()));
}

void HelpWindow::runSearchFromBox() {
    search(searchText_->text());
}

int HelpWindow::search(const QString& query) {
    if (searchText_->text() != query)
        searchText_->setText(query);
    results_->clear();
    const QStringList words = searchWords(query);
    if (words.isEmpty()) {
        searchStatus_->clear();
        browser_->setExtraSelections({});
        return 0;
    }

    QTextDocument* document = browser_->document();
    const FoldedText folded = foldForSearch(document->toPlainText());
    std::vector<std::vector<TextRange>> matchesOfWord;
    for (const QString& word : words)
        matchesOfWord.push_back(findMatches(folded, word));

    QList<QTextEdit::ExtraSelection> highlights;
    QTextCharFormat marked;
    marked.setBackground(QColor(0xFF, 0xE0, 0x40));
    for (const auto& matches : matchesOfWord)
        for (const TextRange& range : matches) {
            QTextCursor cursor(document);
            cursor.setPosition(range.start);
            cursor.setPosition(range.end, QTextCursor::KeepAnchor);
            highlights.push_back({cursor, marked});
        }
    browser_->setExtraSelections(highlights);

    for (int i = 0; i < sectionCount(); ++i) {
        const Section& section = sections_[static_cast<std::size_t>(i)];
        const bool all = std::all_of(matchesOfWord.begin(), matchesOfWord.end(), [&](const auto& matches) {
            return std::any_of(matches.begin(), matches.end(), [&](const TextRange& range) {
                return range.start >= section.start && range.start < section.end;
            });
        });
        if (!all)
            continue;
        auto* item = new QListWidgetItem(section.title, results_);
        item->setData(kSectionRole, i);
    }
    const int found = results_->count();
    searchStatus_->setText(found > 0 ? tr8(help_text::kFound).arg(found) : tr8(help_text::kNotFound));
    tabs_->setCurrentIndex(1);
    if (found > 0)
        results_->setCurrentRow(0);
    return found;
}

} // namespace vantle
