#include "main/insert_dialog/open_files_dialog.h"

#include "main/engine/image_file_match.h"

#include <QFileDialog>

#include <utility>

namespace picrows {

OpenFilesDialog::~OpenFilesDialog() = default;

namespace {

class QtOpenFiles : public OpenFilesDialog
{
public:
    QStringList getOpenFileNames(QWidget* owner, const QString& title, const QStringList& filters,
                                 const QString& selected) override
    {
        QFileDialog dialog(owner, title);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(selected);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles();
    }
};

OpenFilesDialog*& installed()
{
    static OpenFilesDialog* dialog = nullptr;
    return dialog;
}

} // namespace

OpenFilesDialog& openFilesDialog()
{
    if (OpenFilesDialog* d = installed())
        return *d;
    static QtOpenFiles fallback;
    return fallback;
}

OpenFilesDialog* exchangeOpenFilesDialog(OpenFilesDialog* dialog)
{
    return std::exchange(installed(), dialog);
}

QStringList pictureNameFilters()
{
    QStringList filters;
    for (const FileFilterEntry& entry : imageFileFilterEntries()) {
        QStringList patterns;
        for (const QString& pattern : entry.patterns)
            patterns << (pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
        // Qt reads the patterns from the last parentheses; the description before them is what
        // the dialog shows.
        filters << entry.description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

} // namespace picrows
