#pragma once
// Open and save dialogs built from a FileDialogRequest. The filter "description|patterns|..." becomes one
// name filter per pair, shown with the description as written; names match without regard to case.

#include "platform/Platform.h"

#include <QFileDialog>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vantle {

// One Qt name filter per "description|patterns" pair ("d1|*.a;*.b|d2|*.c" gives "d1 (*.a *.b)" and
// "d2 (*.c)"). A trailing description without patterns is dropped; empty patterns mean every file.
QStringList nameFiltersFromRequest(std::string_view filter);

enum class FileDialogKind { Open, Save };

// The dialog, set up but not shown: Qt's own widgets (so the matching rules are ours on every desktop),
// the filters with their details hidden, the 1-based filter index, the initial folder and name.
std::unique_ptr<QFileDialog> makeFileDialog(const FileDialogRequest& request, FileDialogKind kind,
                                            QWidget* parent);

// Runs the dialog modally; nothing when it was cancelled or gave no name.
std::optional<std::string> runFileDialog(QFileDialog& dialog);

// The 1-based index of the filter the dialog shows chosen, 0 when it has none of its filters chosen.
int chosenFilterIndex(const QFileDialog& dialog);

} // namespace vantle
