#include "host/xlsx/xlsx_io.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/xlsx/new_package.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/package_writer.h"
#include "host/xlsx/workbook_reader.h"
#include "host/xlsx/xml_util.h"
#include "host/xlsx/zip_archive.h"

#include <QFile>
#include <QFileInfo>

namespace host::xlsx {

std::unique_ptr<model::Workbook> load(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    auto refuse = [&](const QString& why) {
        host::raise(err::ApplicationDefined,
                    QStringLiteral("Cannot open '%1': %2.").arg(name, why));
    };
    if (!info.exists())
        refuse(QStringLiteral("the file does not exist"));
    if (info.isDir())
        refuse(QStringLiteral("it is a folder"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuse(file.errorString());
    const ZipLimits limits;
    if (file.size() > limits.maxFileSize)
        refuse(QStringLiteral("the file is larger than %1 MB").arg(limits.maxFileSize >> 20));
    QByteArray bytes = file.readAll(); // bounded by the size checked above
    if (file.error() != QFileDevice::NoError)
        refuse(file.errorString());
    file.close();

    std::shared_ptr<const ZipArchive> archive = ZipArchive::open(std::move(bytes), name, limits);
    try {
        return readWorkbook(std::move(archive));
    } catch (const PackageError& e) {
        refuse(e.why);
    }
    return nullptr; // not reached
}

std::unique_ptr<model::Workbook> create(int sheetCount)
{
    if (sheetCount < 1 || sheetCount > 255)
        host::raise(err::InvalidCall);
    auto book = std::make_unique<model::Workbook>();
    for (int i = 1; i <= sheetCount; ++i) {
        auto sheet = std::make_unique<model::Sheet>();
        sheet->name = QStringLiteral("Sheet%1").arg(i);
        book->sheets.push_back(std::move(sheet));
    }
    book->sheets.front()->view.tabSelected = true;
    book->sheetListDirty = true;
    return book;
}

void save(const model::Workbook& book, const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    auto refuse = [&](const QString& why) {
        host::raise(err::ApplicationDefined,
                    QStringLiteral("Cannot save '%1': %2.").arg(name, why));
    };
    // A link is followed, so that the file it names is replaced, not the link.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    try {
        const std::shared_ptr<model::PackageState> package =
            book.package ? book.package : newPackage(book);
        PackageWriter(book, *package, name).write(target);
    } catch (const PackageError& e) {
        refuse(e.why);
    }
}

} // namespace host::xlsx
