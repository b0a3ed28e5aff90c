#include "host/objects/workbook.h"

#include "host/model/digit_width.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/book_files.h"
#include "host/objects/disconnected.h"
#include "host/objects/sheets.h"
#include "host/objects/window.h"
#include "host/objects/worksheet.h"

#include <QFileInfo>

namespace host::objects {

namespace {

// Palette entries are colour values with red in the low byte.
std::int32_t toColorValue(QRgb rgb)
{
    return std::int32_t(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}

QRgb fromColorValue(std::int32_t value)
{
    if (value < 0 || value > 0xFFFFFF)
        raise(err::ApplicationDefined,
              QStringLiteral("Unable to set the Colors property of the Workbook class"));
    return qRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int paletteIndex(const Variant& index)
{
    const std::int32_t i = index.toInt32();
    if (i < 1 || i > 56)
        raise(err::OutOfRange);
    return i - 1;
}

} // namespace

Workbook::Workbook(Application& app, std::unique_ptr<model::Workbook> book, QString fullName,
                   bool addin)
    : m_app(&app), m_model(std::move(book)), m_fullName(std::move(fullName)), m_addin(addin)
{
    if (!m_addin)
        m_window = std::make_shared<Window>(*this);
}

Workbook::~Workbook()
{
    detach();
}

void Workbook::detach()
{
    for (auto& [sheet, object] : m_sheets)
        object->detach();
    m_sheets.clear();
    if (m_window)
        m_window->detach();
    m_app = nullptr;
}

Application& Workbook::app() const
{
    if (!m_app)
        raiseDisconnected();
    return *m_app;
}

model::Workbook& Workbook::model() const
{
    if (!m_app)
        raiseDisconnected();
    return *m_model;
}

QString Workbook::name() const
{
    return fileNameOf(m_fullName);
}

QString Workbook::path() const
{
    return m_neverSaved ? QString() : folderOf(m_fullName);
}

void Workbook::setSaved(bool saved)
{
    if (m_saved == saved)
        return;
    m_saved = saved;
    if (m_app)
        m_app->announce(ChangeKind::Workbooks, this);
}

int Workbook::digitWidth()
{
    const model::Workbook& book = model();
    const QString key = book.defaultFontName + u'/' + QString::number(book.defaultFontSize);
    if (m_digitWidth == 0 || key != m_digitWidthFont) {
        m_digitWidth = model::maximumDigitWidth(book.defaultFontName, book.defaultFontSize);
        m_digitWidthFont = key;
    }
    return m_digitWidth;
}

int Workbook::styleWithLock(int style, bool locked)
{
    model::Workbook& book = model();
    const model::CellFormat& format = book.format(style);
    if (format.locked == locked)
        return style;
    const auto known = m_lockVariants.find({style, locked});
    if (known != m_lockVariants.end())
        return known->second;
    model::CellFormat variant = format;
    variant.locked = locked;
    variant.baseFormat = style;
    book.cellFormats.push_back(variant);
    const int added = int(book.cellFormats.size()) - 1;
    m_lockVariants[{style, locked}] = added;
    m_lockVariants[{added, !locked}] = style;
    return added;
}

int Workbook::sheetCount() const
{
    return int(model().sheets.size());
}

std::shared_ptr<Worksheet> Workbook::sheetAt(int index)
{
    model::Workbook& book = model();
    if (index < 0 || size_t(index) >= book.sheets.size())
        raise(err::OutOfRange);
    return sheetObject(*book.sheets[size_t(index)]);
}

std::shared_ptr<Worksheet> Workbook::sheetObject(model::Sheet& sheet)
{
    auto& object = m_sheets[&sheet];
    if (!object)
        object = std::make_shared<Worksheet>(*this, sheet);
    return object;
}

std::shared_ptr<Worksheet> Workbook::findSheet(const QString& name)
{
    for (const auto& sheet : model().sheets)
        if (sheet->name.compare(name, Qt::CaseInsensitive) == 0)
            return sheetObject(*sheet);
    return nullptr;
}

int Workbook::indexOf(const model::Sheet& sheet) const
{
    const auto& sheets = model().sheets;
    for (size_t i = 0; i < sheets.size(); ++i)
        if (sheets[i].get() == &sheet)
            return int(i);
    return -1;
}

std::shared_ptr<Worksheet> Workbook::activeSheet()
{
    model::Workbook& book = model();
    if (book.sheets.empty())
        return nullptr;
    const int index = std::clamp(book.activeSheet, 0, int(book.sheets.size()) - 1);
    return sheetObject(*book.sheets[size_t(index)]);
}

void Workbook::setActiveSheet(int index)
{
    // The active sheet alone is selected: activating a sheet ends a group.
    model::Workbook& book = model();
    bool changed = book.activeSheet != index;
    book.activeSheet = index;
    for (size_t i = 0; i < book.sheets.size(); ++i) {
        model::Sheet& sheet = *book.sheets[i];
        const bool selected = int(i) == index;
        if (sheet.view.tabSelected != selected) {
            sheet.view.tabSelected = selected;
            sheet.viewDirty = true;
            changed = true;
        }
    }
    if (changed) {
        book.sheetListDirty = true;
        app().announce(ChangeKind::Sheets, this);
    }
}

void Workbook::sheetsChanged()
{
    for (auto it = m_sheets.begin(); it != m_sheets.end();) {
        if (indexOf(*it->first) < 0) {
            it->second->detach();
            it = m_sheets.erase(it);
        } else {
            ++it;
        }
    }
}

ObjectRef Workbook::window() const
{
    return m_window;
}

void Workbook::activate()
{
    app().activated(*this);
}

void Workbook::save()
{
    if (m_addin)
        return;
    if (m_neverSaved) {
        saveAs(name());
        return;
    }
    saveWorkbookModel(model(), m_fullName);
    setSaved(true);
}

void Workbook::saveAs(const QString& fileName)
{
    QString target = absoluteBookPath(fileName, app().options().defaultFilePath);
    // A name ending in a separator has no file name: the cleaned path would be the folder's
    // own, saved beside it with an ending added.
    const bool folder = fileName.endsWith(u'/') || fileName.endsWith(u'\\');
    if (QFileInfo(target).suffix().isEmpty() && !folder)
        target += QStringLiteral(".xlsx");
    if (folder || QFileInfo(target).isDir())
        raise(err::ApplicationDefined,
              QStringLiteral("The workbook cannot be saved as '%1': that is a folder.")
                  .arg(fileName));
    const QString newName = fileNameOf(target);
    const auto other = app().findByName(newName);
    if (other && other.get() != this)
        raise(err::ApplicationDefined,
              QStringLiteral("You cannot save this workbook with the same name as another open "
                             "workbook or add-in. Choose a different name, or close the other "
                             "workbook or add-in before saving."));
    saveWorkbookModel(model(), target);
    m_fullName = target;
    m_neverSaved = false;
    m_saved = true;
    app().announce(ChangeKind::Workbooks, this);
}

void Workbook::close(bool save, const QString& fileName)
{
    if (save) {
        if (fileName.isEmpty())
            this->save();
        else
            saveAs(fileName);
    }
    // Keep this object alive while the host lets go of it.
    const auto self = shared_from_this();
    app().closed(*this);
    detach();
}

const MemberTable<Workbook>& Workbook::members()
{
    static const MemberTable<Workbook> table = [] {
        using W = Workbook;
        MemberTable<W> t;
        const QString index = QStringLiteral("Index");
        t.prop(QStringLiteral("Name"), [](W& w) {
            w.model();
            return Variant(w.name());
        });
        t.prop(QStringLiteral("FullName"), [](W& w) {
            w.model();
            return Variant(w.m_fullName);
        });
        t.prop(QStringLiteral("Path"), [](W& w) {
            w.model();
            return Variant(w.path());
        });
        t.prop(
            QStringLiteral("Saved"),
            [](W& w) {
                w.model();
                return Variant(w.m_saved);
            },
            [](W& w, const Variant& v) {
                w.model();
                w.setSaved(v.toBool());
            });
        t.prop(QStringLiteral("IsAddin"), [](W& w) {
            w.model();
            return Variant(w.m_addin);
        });
        t.prop(QStringLiteral("ReadOnly"), [](W& w) {
            w.model();
            return Variant(false);
        });
        t.prop(QStringLiteral("Application"),
               [](W& w) { return Variant(w.app().shared_from_this()); });
        t.prop(QStringLiteral("Parent"), [](W& w) { return Variant(w.app().shared_from_this()); });

        const auto sheetsMember = [index](SheetFilter filter) {
            return [filter](W& w, const BoundArgs& args) {
                auto sheets = std::make_shared<Sheets>(
                    std::static_pointer_cast<Workbook>(w.shared_from_this()), filter);
                w.model();
                if (args.has(0))
                    return sheets->get(QString(), {args.at(0)});
                return Variant(ObjectRef(sheets));
            };
        };
        t.member(QStringLiteral("Worksheets"), {index}, 0, sheetsMember(SheetFilter::Worksheets));
        t.member(QStringLiteral("Sheets"), {index}, 0, sheetsMember(SheetFilter::All));
        t.prop(QStringLiteral("ActiveSheet"),
               [](W& w) { return Variant(ObjectRef(w.activeSheet())); });
        t.member(QStringLiteral("Windows"), {index}, 0, [](W& w, const BoundArgs& args) {
            w.model();
            std::vector<std::shared_ptr<Window>> own;
            if (w.m_window)
                own.push_back(w.m_window);
            auto windows = std::make_shared<Windows>(std::move(own));
            if (args.has(0))
                return windows->get(QString(), {args.at(0)});
            return Variant(ObjectRef(windows));
        });
        t.member(
            QStringLiteral("Colors"), {index}, 0,
            [](W& w, const BoundArgs& args) {
                const auto& palette = w.model().palette;
                if (args.has(0))
                    return Variant(toColorValue(palette[size_t(paletteIndex(args.at(0)))]));
                VariantArray all;
                all.rows = 56;
                for (QRgb rgb : palette)
                    all.items.emplace_back(toColorValue(rgb));
                return Variant(std::move(all));
            },
            [](W& w, const BoundArgs& args, const Variant& value) {
                model::Workbook& book = w.model();
                book.palette[size_t(paletteIndex(args.at(0)))] = fromColorValue(value.toInt32());
                book.customPalette = true;
                book.paletteDirty = true;
                book.lookChanged();
                w.markChanged();
                for (const auto& sheet : book.sheets)
                    w.app().announce(ChangeKind::Cells, &w, sheet.get());
            });

        t.member(QStringLiteral("Activate"), {}, 0, [](W& w, const BoundArgs&) {
            w.activate();
            return Variant();
        });
        t.member(QStringLiteral("Save"), {}, 0, [](W& w, const BoundArgs&) {
            w.save();
            return Variant();
        });
        t.member(QStringLiteral("SaveAs"),
                 {QStringLiteral("Filename"), QStringLiteral("FileFormat"),
                  QStringLiteral("Password"), QStringLiteral("WriteResPassword"),
                  QStringLiteral("ReadOnlyRecommended"), QStringLiteral("CreateBackup"),
                  QStringLiteral("AccessMode"), QStringLiteral("ConflictResolution"),
                  QStringLiteral("AddToMru"), QStringLiteral("TextCodepage"),
                  QStringLiteral("TextVisualLayout"), QStringLiteral("Local")},
                 0, [](W& w, const BoundArgs& args) {
                     w.saveAs(args.has(0) ? args.at(0).toString() : w.name());
                     return Variant();
                 });
        t.member(QStringLiteral("Close"),
                 {QStringLiteral("SaveChanges"), QStringLiteral("Filename"),
                  QStringLiteral("RouteWorkbook")},
                 0, [](W& w, const BoundArgs& args) {
                     // Without a UI to ask, a book whose changes are not named to be saved
                     // closes without saving them.
                     const bool save = args.has(0) && args.at(0).toBool();
                     w.close(save, args.has(1) ? args.at(1).toString() : QString());
                     return Variant();
                 });
        return t;
    }();
    return table;
}

} // namespace host::objects
