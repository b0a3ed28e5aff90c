#include "tests/cli/package_parts.h"

#include <zip.h>

#include <memory>
#include <stdexcept>

namespace clitest {

std::map<QString, QByteArray> readParts(const QString& path)
{
    int error = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(path.toUtf8().constData(), ZIP_RDONLY, &error), &zip_discard);
    if (!archive)
        throw std::runtime_error("not a zip: " + path.toStdString());
    std::map<QString, QByteArray> parts;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st) != 0)
            throw std::runtime_error("unreadable entry in " + path.toStdString());
        const QString name = QString::fromUtf8(st.name);
        if (name.endsWith(u'/'))
            continue; // a folder entry, no part
        QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
            zip_fopen_index(archive.get(), zip_uint64_t(i), 0), &zip_fclose);
        if (!file || zip_fread(file.get(), bytes.data(), st.size) != zip_int64_t(st.size))
            throw std::runtime_error("cannot read " + name.toStdString() + " in " +
                                     path.toStdString());
        parts[name] = bytes;
    }
    return parts;
}

} // namespace clitest
