#include "platform/qt/QtFileDialog.h"

#include <QDir>
#include <QHeaderView>
#include <QString>
#include <QTreeView>

#include <algorithm>

namespace vantle {

namespace {

constexpr const char* kOpenTitle = "ファイルを開く";
constexpr const char* kSaveTitle = "名前を付けて保存";
// Room for a name beside the size, type and date columns.
constexpr int kDialogWidth = 760;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QStringList nameFiltersFromRequest(std::string_view filter) {
    QStringList result;
    if (filter.empty())
        return result;
    const QStringList fields = fromUtf8(filter).split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QString& description = fields[i];
        QStringList patterns = fields[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        // The dialog hides the last "(...)" of each filter, so the description shows exactly as written,
        // even when it carries parentheses of its own ("ｱｲｺﾝ(*.ico)").
        result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

std::unique_ptr<QFileDialog> makeFileDialog(const FileDialogRequest& request, FileDialogKind kind,
                                            QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    // Qt's own dialog everywhere: a desktop's native dialog would apply its own, case-sensitive, matching.
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setOption(QFileDialog::HideNameFilterDetails, true);
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    if (kind == FileDialogKind::Open) {
        dialog->setWindowTitle(QString::fromUtf8(kOpenTitle));
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog->setWindowTitle(QString::fromUtf8(kSaveTitle));
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        // The caller decides the extension.
        dialog->setDefaultSuffix(QString());
    }

    const QStringList filters = nameFiltersFromRequest(request.filter);
    if (!filters.isEmpty()) {
        dialog->setNameFilters(filters);
        const qsizetype index =
            request.filterIndex >= 1 && request.filterIndex <= filters.size() ? request.filterIndex - 1 : 0;
        dialog->selectNameFilter(filters[index]);
    }

    // The size, type and date columns as wide as what they show, the name taking the rest.
    if (auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        dialog->resize(std::max(dialog->width(), kDialogWidth), dialog->height());
    }

    const QString folder = fromUtf8(request.initialFolder);
    dialog->setDirectory(!folder.isEmpty() && QDir(folder).exists() ? folder : QDir::currentPath());
    // After the filter: choosing a filter in a save dialog rewrites the extension of the name shown, and
    // the name proposed must stay as given.
    if (!request.initialName.empty())
        dialog->selectFile(fromUtf8(request.initialName));
    return dialog;
}

std::optional<std::string> runFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    return files.first().toStdString();
}

int chosenFilterIndex(const QFileDialog& dialog) {
    // With the details hidden the dialog names the chosen filter as shown: without its last " (...)".
    const QString chosen = dialog.selectedNameFilter();
    const QStringList filters = dialog.nameFilters();
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const QString& filter = filters[i];
        const qsizetype details = filter.lastIndexOf(QStringLiteral(" ("));
        if (filter == chosen || (details >= 0 && filter.left(details) == chosen))
            return static_cast<int>(i + 1);
    }
    return 0;
}

} // namespace vantle
