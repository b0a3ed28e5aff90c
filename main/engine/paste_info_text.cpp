#include "main/engine/paste_info_text.h"

#include "host/automation/host_error.h"
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
};

void replaceIfPresent(QString& text, QStringView keyword, const auto& value)
{
    if (text.contains(keyword))
        text.replace(keyword.toString(), value());
}

} // namespace

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
            const QDateTime when = platform::F_GetFileDate(path, date.part, date.kind);
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
