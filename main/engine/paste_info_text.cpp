#include "main/engine/paste_info_text.h"

#include "host/automation/host_error.h"
#include "host/imaging/shooting_date.h"
#include "host/xl/application.h"
#include "platform/file_date.h"

#include <algorithm>

namespace picrows {

namespace {

using platform::DateKind;
using platform::DatePart;

struct DateKeyword
{
    const char16_t* keyword;
    DateKind kind;
    DatePart part;
    bool shooting = false; // the photograph's own date, else the file's modification date
};

const DateKeyword kDateKeywords[] = {
    {u"[FILEDATECREATED]", DateKind::Created, DatePart::DateTime},
    {u"[FILEDATECREATED_DATE]", DateKind::Created, DatePart::DateOnly},
    {u"[FILEDATECREATED_TIME]", DateKind::Created, DatePart::TimeOnly},
    {u"[FILEDATELASTACCESSED]", DateKind::Accessed, DatePart::DateTime},
    {u"[FILEDATELASTACCESSED_DATE]", DateKind::Accessed, DatePart::DateOnly},
    {u"[FILEDATELASTACCESSED_TIME]", DateKind::Accessed, DatePart::TimeOnly},
    {u"[FILEDATELASTMODIFIED]", DateKind::Modified, DatePart::DateTime},
    {u"[FILEDATELASTMODIFIED_DATE]", DateKind::Modified, DatePart::DateOnly},
    {u"[FILEDATELASTMODIFIED_TIME]", DateKind::Modified, DatePart::TimeOnly},
    {u"[SHOOTINGDATE]", DateKind::Modified, DatePart::DateTime, true},
    {u"[SHOOTINGDATE_DATE]", DateKind::Modified, DatePart::DateOnly, true},
    {u"[SHOOTINGDATE_TIME]", DateKind::Modified, DatePart::TimeOnly, true},
};

QDateTime dateOf(const QString& path, const DateKeyword& date)
{
    if (date.shooting)
        if (const auto taken = host::imaging::shootingDateOfFile(path))
            return platform::datePart(*taken, date.part);
    return platform::F_GetFileDate(path, date.part, date.kind);
}

void replaceIfPresent(QString& text, QStringView keyword, const auto& value)
{
    if (text.contains(keyword))
        text.replace(keyword.toString(), value());
}

} // namespace

QStringList pasteInfoKeywords()
{
    QStringList keywords = {QStringLiteral("[FULLPATH]"), QStringLiteral("[FOLDERNAME]"),
                            QStringLiteral("[FILENAME1]"), QStringLiteral("[FILENAME2]")};
    for (const DateKeyword& date : kDateKeywords)
        keywords << QString::fromUtf16(date.keyword);
    return keywords;
}

QString f_GetPasteInfoText(const xl::Application& app, const QString& path,
                           const QString& templateText)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    const QString q = templateText.startsWith(u'=') ? QStringLiteral("\"") : QString();

    QString text = templateText;
    replaceIfPresent(text, u"[FULLPATH]", [&] { return q + path + q; });
    replaceIfPresent(text, u"[FOLDERNAME]", [&] { return q + folder + q; });
    replaceIfPresent(text, u"[FILENAME1]", [&] { return q + name + q; });
    replaceIfPresent(text, u"[FILENAME2]", [&] {
        const qsizetype dot = path.lastIndexOf(u'.');
        return q + (dot < 0 ? path : path.left(dot));
    });
    for (const DateKeyword& date : kDateKeywords)
        replaceIfPresent(text, date.keyword, [&] {
            const QDateTime when = dateOf(path, date);
            return q + host::Variant::fromDateTime(when).toString() + q;
        });

    if (text.startsWith(u'=')) {
        try {
            text = app.call(QStringLiteral("Evaluate"), {host::Variant(text)}).toString();
        } catch (const host::HostError&) {
            // The formula text itself is written.
        }
    }
    return text;
}

} // namespace picrows
