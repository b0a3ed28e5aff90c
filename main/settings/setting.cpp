#include "main/settings/setting.h"

#include "host/automation/dispatch.h"
#include "host/automation/host_error.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace picrows {

InsertionDialogLink::~InsertionDialogLink() = default;

namespace {

QString defaultFontName()
{
    return QStringLiteral("ＭＳ Ｐゴシック");
}

template <class... F> struct Overloaded : F...
{
    using F::operator()...;
};
template <class... F> Overloaded(F...) -> Overloaded<F...>;

QString singleText(float value)
{
    return QString::number(double(value), 'g', 7);
}

} // namespace

const std::vector<c_Setting::Key>& c_Setting::keys()
{
    using C = c_Setting;
    const std::optional<double> none;
    static const std::vector<Key> table = {
        {"UnPaste_Lock", &C::UnPaste_Lock, none, none},
        {"UnPaste_Value", &C::UnPaste_Value, none, none},
        {"UnPaste_Size", &C::UnPaste_Size, none, none},
        {"UnPaste_Size_Width", &C::UnPaste_Size_Width, 10, 1000},
        {"UnPaste_Size_Height", &C::UnPaste_Size_Height, 10, 1000},
        {"UnPaste_ShowMsg", &C::UnPaste_ShowMsg, none, none},
        {"OneCellOnePaste", &C::OneCellOnePaste, none, none},
        {"IsClicMode", &C::IsClicMode, none, none},
        {"PasteSize", &C::PasteSize, 0, 3},
        {"PastePoint", &C::PastePoint, 0, 4},
        {"PasteInfo", &C::PasteInfo, none, none},
        {"PasteInfo_Value", &C::PasteInfo_Value, none, none},
        {"PasteInfo_Type", &C::PasteInfo_Type, none, none},
        {"PasteInfo_X", &C::PasteInfo_X, -10, 10},
        {"PasteInfo_Y", &C::PasteInfo_Y, -10, 10},
        {"PasteInfo_Point", &C::PasteInfo_Point, none, none},
        {"PasteInfo_Group", &C::PasteInfo_Group, none, none},
        {"InsertListWidth_1", &C::InsertListWidth_1, 0, 10000},
        {"InsertListWidth_2", &C::InsertListWidth_2, 0, 10000},
        {"InsertListWidth_3", &C::InsertListWidth_3, 0, 10000},
        {"InsertListWidth_4", &C::InsertListWidth_4, 0, 10000},
        {"InsertListWidth_5", &C::InsertListWidth_5, 0, 10000},
        {"DefaultCommandHookOn", &C::DefaultCommandHookOn, none, none},
        {"ReTrimmingAdd", &C::ReTrimmingAdd, none, none},
        {"InsertSyukusyou", &C::InsertSyukusyou, none, none},
        {"InsertSyukusyou_Bairitsu", &C::InsertSyukusyou_Bairitsu, 1, 10},
        {"InsertCutTrimming", &C::InsertCutTrimming, none, none},
        {"InsertCutTrimming_NotAuto", &C::InsertCutTrimming_NotAuto, none, none},
        {"MyDocPath", &C::m_MyDocPath, none, none},
        {"Rotate_ApiMode", &C::Rotate_ApiMode, none, none},
        {"Rotate_BackColor", &C::Rotate_BackColor, none, none},
        {"IconWidth", &C::m_IconWidth, 0, 300},
        {"IconHeight", &C::m_IconHeight, 0, 300},
        {"ConvertTaisyou", &C::ConvertTaisyou, none, none},
        {"ConvertSyukusyou", &C::ConvertSyukusyou, none, none},
        {"ConvertSyukusyouBairitsu", &C::ConvertSyukusyouBairitsu, 1, 10},
        {"ConvertCutTrimming", &C::ConvertCutTrimming, none, none},
        {"ConvertListWidth_1", &C::ConvertListWidth_1, 0, 10000},
        {"ConvertListWidth_2", &C::ConvertListWidth_2, 0, 10000},
        {"ConvertListWidth_3", &C::ConvertListWidth_3, 0, 10000},
        {"ConvertListWidth_4", &C::ConvertListWidth_4, 0, 10000},
        {"ConvertListWidth_5", &C::ConvertListWidth_5, 0, 10000},
        {"Textbox_Fontname", &C::Textbox_Fontname, none, none},
        {"Textbox_Fontsize", &C::Textbox_Fontsize, 1, 300},
        {"Textbox_ColorIndex", &C::Textbox_ColorIndex, 0, 56},
        {"ShowToolTipImages", &C::m_ShowToolTipImages, none, none},
    };
    return table;
}

const c_Setting::Key* c_Setting::findKey(const QString& name)
{
    for (const Key& k : keys())
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0)
            return &k;
    return nullptr;
}

c_Setting::c_Setting(platform::SettingsStore& store, host::ObjectRef app)
    : m_store(store), m_app(std::move(app))
{
    load();
}

c_Setting::~c_Setting() = default;

QString c_Setting::section()
{
    return QStringLiteral("setting");
}

std::optional<QString> c_Setting::defaultText(const Key& key) const
{
    static const QHash<QString, QString> constants = {
        {QStringLiteral("UnPaste_Lock"), QStringLiteral("False")},
        {QStringLiteral("UnPaste_Value"), QStringLiteral("True")},
        {QStringLiteral("UnPaste_Size"), QStringLiteral("True")},
        {QStringLiteral("UnPaste_Size_Width"), QStringLiteral("70")},
        {QStringLiteral("UnPaste_Size_Height"), QStringLiteral("70")},
        {QStringLiteral("UnPaste_ShowMsg"), QStringLiteral("True")},
        {QStringLiteral("OneCellOnePaste"), QStringLiteral("False")},
        {QStringLiteral("IsClicMode"), QStringLiteral("False")},
        {QStringLiteral("PasteSize"), QStringLiteral("3")},
        {QStringLiteral("PastePoint"), QStringLiteral("2")},
        {QStringLiteral("PasteInfo"), QStringLiteral("False")},
        {QStringLiteral("PasteInfo_Value"), QStringLiteral("[FILENAME1]")},
        {QStringLiteral("PasteInfo_Type"), QStringLiteral("0")},
        {QStringLiteral("PasteInfo_X"), QStringLiteral("0")},
        {QStringLiteral("PasteInfo_Y"), QStringLiteral("1")},
        {QStringLiteral("PasteInfo_Point"), QStringLiteral("1")},
        {QStringLiteral("PasteInfo_Group"), QStringLiteral("False")},
        {QStringLiteral("InsertListWidth_1"), QStringLiteral("1600")},
        {QStringLiteral("InsertListWidth_2"), QStringLiteral("3500")},
        {QStringLiteral("InsertListWidth_3"), QStringLiteral("3500")},
        {QStringLiteral("InsertListWidth_4"), QStringLiteral("2000")},
        {QStringLiteral("InsertListWidth_5"), QStringLiteral("2000")},
        {QStringLiteral("DefaultCommandHookOn"), QStringLiteral("False")},
        {QStringLiteral("ReTrimmingAdd"), QStringLiteral("True")},
        {QStringLiteral("InsertSyukusyou"), QStringLiteral("True")},
        {QStringLiteral("InsertSyukusyou_Bairitsu"), QStringLiteral("2")},
        {QStringLiteral("InsertCutTrimming"), QStringLiteral("False")},
        {QStringLiteral("InsertCutTrimming_NotAuto"), QStringLiteral("True")},
        {QStringLiteral("Rotate_ApiMode"), QStringLiteral("True")},
        {QStringLiteral("Rotate_BackColor"), QStringLiteral("16777215")},
        {QStringLiteral("IconWidth"), QStringLiteral("80")},
        {QStringLiteral("IconHeight"), QStringLiteral("50")},
        {QStringLiteral("ConvertTaisyou"), QStringLiteral("0")},
        {QStringLiteral("ConvertSyukusyou"), QStringLiteral("True")},
        {QStringLiteral("ConvertSyukusyouBairitsu"), QStringLiteral("2")},
        {QStringLiteral("ConvertCutTrimming"), QStringLiteral("False")},
        {QStringLiteral("ConvertListWidth_1"), QStringLiteral("300")},
        {QStringLiteral("ConvertListWidth_2"), QStringLiteral("1200")},
        {QStringLiteral("ConvertListWidth_3"), QStringLiteral("1200")},
        {QStringLiteral("ConvertListWidth_4"), QStringLiteral("1200")},
        {QStringLiteral("ConvertListWidth_5"), QStringLiteral("3000")},
        {QStringLiteral("Textbox_ColorIndex"), QStringLiteral("0")},
        {QStringLiteral("ShowToolTipImages"), QStringLiteral("True")},
    };
    const QString name = QLatin1String(key.name);
    if (const auto it = constants.constFind(name); it != constants.cend())
        return *it;
    if (name == QLatin1String("MyDocPath"))
        return GetDefaultMyDocPath();
    // The text box font follows the host's standard font; a host that cannot tell leaves the
    // key at its initial value.
    try {
        if (name == QLatin1String("Textbox_Fontname"))
            return host::deref(m_app).get(QStringLiteral("StandardFont")).toString();
        if (name == QLatin1String("Textbox_Fontsize"))
            return host::deref(m_app).get(QStringLiteral("StandardFontSize")).toString();
    } catch (const host::HostError&) {
    }
    return std::nullopt;
}

bool c_Setting::convertInto(const Key& key, const QString& text)
{
    // Numbers are read as the text's leading number, then converted to the key's type; a value
    // the type cannot hold, or a Boolean that is neither True, False nor a number, is refused.
    try {
        std::visit(Overloaded{
                       [&](bool c_Setting::*f) { this->*f = host::Variant(text).toBool(); },
                       [&](std::int16_t c_Setting::*f) {
                           this->*f = host::Variant(host::leadingNumber(text)).toInt16();
                       },
                       [&](std::int32_t c_Setting::*f) {
                           this->*f = host::Variant(host::leadingNumber(text)).toInt32();
                       },
                       [&](float c_Setting::*f) {
                           const double v = host::leadingNumber(text);
                           if (!std::isfinite(v) || std::fabs(v) > double(FLT_MAX))
                               host::raise(host::err::Overflow);
                           this->*f = float(v);
                       },
                       [&](double c_Setting::*f) {
                           const double v = host::leadingNumber(text);
                           if (!std::isfinite(v))
                               host::raise(host::err::Overflow);
                           this->*f = v;
                       },
                       [&](QString c_Setting::*f) { this->*f = text; },
                   },
                   key.field);
    } catch (const host::HostError&) {
        return false;
    }
    return true;
}

void c_Setting::clamp(const Key& key)
{
    if (!key.min || !key.max)
        return;
    const double lo = *key.min;
    const double hi = *key.max;
    std::visit(Overloaded{
                   [](bool c_Setting::*) {},
                   [](QString c_Setting::*) {},
                   [&](auto c_Setting::*f) {
                       using T = std::remove_reference_t<decltype(this->*f)>;
                       this->*f = std::clamp(this->*f, T(lo), T(hi));
                   },
               },
               key.field);
}

void c_Setting::applyFontRules()
{
    if (Textbox_Fontname.isEmpty())
        Textbox_Fontname = defaultFontName();
    Textbox_Fontsize = std::clamp(Textbox_Fontsize, 1.0, 300.0);
}

bool c_Setting::isHostVersion9() const
{
    try {
        return host::leadingNumber(host::deref(m_app).get(QStringLiteral("Version")).toString()) ==
               9;
    } catch (const host::HostError&) {
        return false;
    }
}

void c_Setting::load()
{
    for (const Key& key : keys()) {
        const std::optional<QString> stored = m_store.value(section(), QLatin1String(key.name));
        const std::optional<QString> text = stored ? stored : defaultText(key);
        if (text)
            convertInto(key, *text);
        if (std::holds_alternative<bool c_Setting::*>(key.field) &&
            std::get<bool c_Setting::*>(key.field) == &c_Setting::Rotate_ApiMode &&
            isHostVersion9())
            Rotate_ApiMode = true;
    }
    for (const Key& key : keys())
        clamp(key);
    applyFontRules();
}

QString c_Setting::textOf(const Key& key) const
{
    return std::visit(Overloaded{
                          [&](bool c_Setting::*f) {
                              return this->*f ? QStringLiteral("True") : QStringLiteral("False");
                          },
                          [&](std::int16_t c_Setting::*f) { return QString::number(this->*f); },
                          [&](std::int32_t c_Setting::*f) { return QString::number(this->*f); },
                          [&](float c_Setting::*f) { return singleText(this->*f); },
                          [&](double c_Setting::*f) { return host::Variant(this->*f).toString(); },
                          [&](QString c_Setting::*f) { return this->*f; },
                      },
                      key.field);
}

bool c_Setting::assign(const Key& key, const QString& text)
{
    if (!convertInto(key, text))
        return false;
    clamp(key);
    const QString name = QLatin1String(key.name);
    if (name == QLatin1String("Rotate_ApiMode") && isHostVersion9())
        Rotate_ApiMode = true;
    if (name.startsWith(QLatin1String("Textbox_Font")))
        applyFontRules();
    if (name == QLatin1String("MyDocPath") && !MyDocPathExists())
        CreateMyDocPath(); // as setting the property does
    return true;
}

void c_Setting::SaveAll()
{
    for (const Key& key : keys())
        m_store.setValue(section(), QLatin1String(key.name), textOf(key));
    m_store.save();
}

void c_Setting::ResetAll()
{
    try {
        m_store.removeSection(section());
        m_store.removeSection(QStringLiteral("position"));
    } catch (...) {
    }
    load();
}

void c_Setting::SetIconSize(std::int16_t width, std::int16_t height)
{
    if ((width != m_IconWidth || height != m_IconHeight) && m_dialog)
        platform::showMessage(
            QStringLiteral("アイコンサイズは、次回メイン画面を起動した際に反映されます。"),
            platform::MsgButtons::OK, platform::MsgIcon::Information, platform::programTitle());
    m_IconWidth = width;
    m_IconHeight = height;
}

void c_Setting::setShowToolTipImages(bool value)
{
    const bool changed = value != m_ShowToolTipImages;
    m_ShowToolTipImages = value;
    if (changed && m_dialog)
        m_dialog->SetToolTip();
}

QString c_Setting::MyDocPath() const
{
    return m_MyDocPath.endsWith(QLatin1Char('/')) ? m_MyDocPath.chopped(1) : m_MyDocPath;
}

void c_Setting::setMyDocPath(const QString& path)
{
    m_MyDocPath = path;
    if (!MyDocPathExists())
        CreateMyDocPath();
}

bool c_Setting::MyDocPathExists() const
{
    const QString path = MyDocPath();
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool c_Setting::CreateMyDocPath() const
{
    const QString path = MyDocPath();
    if (path.isEmpty())
        return false;
    // Every folder on the way, outermost first; failures (existing folders, the root) are
    // of no concern, only whether the whole path exists at the end.
    QDir dir;
    for (qsizetype i = path.indexOf(QLatin1Char('/')); i >= 0;
         i = path.indexOf(QLatin1Char('/'), i + 1))
        if (i > 0)
            dir.mkdir(path.left(i));
    dir.mkdir(path);
    return QFileInfo::exists(path);
}

QString c_Setting::GetDefaultMyDocPath()
{
    // Qt reads XDG_DOCUMENTS_DIR from user-dirs.dirs as xdg-user-dir does, falling back to
    // ~/Documents.
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QLatin1Char('/') +
           platform::programTitle();
}

} // namespace picrows
