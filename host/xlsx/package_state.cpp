#include "host/xlsx/package_state.h"

#include "host/automation/host_error.h"
#include "host/xlsx/xml_util.h"
#include "host/xlsx/zip_archive.h"

namespace host::model {

bool PackageState::hasPart(const QString& name) const
{
    return added.count(name.toCaseFolded()) || (archive && archive->find(name));
}

QByteArray PackageState::readPart(const QString& name) const
{
    const auto it = added.find(name.toCaseFolded());
    if (it != added.end())
        return it->second.data;
    const xlsx::ZipArchive::Entry* entry = archive ? archive->find(name) : nullptr;
    if (!entry)
        xlsx::fail(QStringLiteral("the part '%1' is missing").arg(clipped(name)));
    return archive->read(*entry);
}

QString PackageState::contentTypeOf(const QString& name) const
{
    const auto it = added.find(name.toCaseFolded());
    if (it != added.end())
        return it->second.contentType;
    return contentTypes.typeOf(name);
}

void PackageState::putPart(const QString& name, QByteArray data, const QString& contentType)
{
    added[name.toCaseFolded()] = AddedPart{name, std::move(data), contentType};
}

QString PackageState::freePartName(const QString& folder, const QString& stem,
                                   const QString& ext) const
{
    for (int n = 1;; ++n) {
        const QString name = folder + u'/' + stem + QString::number(n) + u'.' + ext;
        if (!hasPart(name))
            return name;
    }
}

} // namespace host::model
