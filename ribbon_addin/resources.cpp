#include "ribbon_addin/resources.h"

#include <QFile>
#include <QMap>

// Outside any namespace, as Qt's resource initialiser must be.
static void initRibbonResources()
{
    Q_INIT_RESOURCE(ribbon_addin_resources);
}

namespace ribbon_addin {

namespace {

QMap<QString, QByteArray>& overrides()
{
    static QMap<QString, QByteArray> map;
    return map;
}

QString keyOf(const QString& name, const QString& type)
{
    return type.toUpper() + u'/' + name.toUpper();
}

QByteArray readResource(const QString& file)
{
    static const bool loaded = (initRibbonResources(), true);
    (void)loaded;
    QFile in(QStringLiteral(":/ribbon_addin/") + file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace

QByteArray resourceBytes(const QString& name, const QString& type)
{
    const auto over = overrides().constFind(keyOf(name, type));
    if (over != overrides().cend())
        return *over;
    // Resource names are upper-case letters, digits and underscores; nothing else reaches a
    // file name.
    for (const QChar c : name)
        if (!(c.isDigit() || (c >= u'A' && c <= u'Z') || c == u'_'))
            return {};
    if (type.compare(QStringLiteral("XML"), Qt::CaseInsensitive) == 0)
        return readResource(name + QStringLiteral(".xml"));
    if (type.compare(QStringLiteral("PNG"), Qt::CaseInsensitive) == 0)
        return readResource(name + QStringLiteral(".png"));
    return {};
}

const QHash<int, QString>& stringTable()
{
    static const QHash<int, QString> table = [] {
        QHash<int, QString> t;
        const QString text = QString::fromUtf8(readResource(QStringLiteral("strings.txt")));
        for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype tab = line.indexOf(u'\t');
            bool ok = false;
            const int id = line.left(tab).toInt(&ok);
            if (tab > 0 && ok)
                t.insert(id, line.mid(tab + 1).remove(u'\r'));
        }
        return t;
    }();
    return table;
}

void overrideResource(const QString& name, const QString& type, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        overrides().remove(keyOf(name, type));
    else
        overrides().insert(keyOf(name, type), bytes);
}

} // namespace ribbon_addin
