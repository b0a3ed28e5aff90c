#include "host/objects/application.h"

#include "host/imaging/read_ahead.h"
#include "host/model/workbook.h"
#include "host/objects/book_files.h"
#include "host/objects/built_in_bars.h"
#include "host/objects/com_addins.h"
#include "host/objects/command_bars.h"
#include "host/objects/disconnected.h"
#include "host/objects/evaluate.h"
#include "host/objects/macro_workbook.h"
#include "host/objects/window.h"
#include "host/objects/workbook.h"
#include "host/objects/workbooks.h"
#include "host/objects/worksheet.h"
#include "host/render/clipboard.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace host::objects {

namespace {

// The module handle a 32-bit host answers; a 64-bit host's handle does not fit and reads 0.
constexpr std::int32_t kModuleHandle = 0x30000000;

Variant orNothing(const std::shared_ptr<Dispatch>& object)
{
    return Variant(ObjectRef(object));
}

} // namespace

Application::Application(HostOptions options)
    : m_options(std::move(options)), m_hostCaption(m_options.caption),
      m_workbooks(std::make_shared<Workbooks>(*this)),
      m_commandBars(std::make_shared<CommandBars>(*this)),
      m_comAddIns(std::make_shared<ComAddIns>(*this))
{
    addBuiltInBars(*m_commandBars);
}

Application::~Application()
{
    detach();
}

std::shared_ptr<Workbook> Application::openAddIn(AddInWorkbook addIn)
{
    if (findByName(addIn.name))
        raise(err::ApplicationDefined, QStringLiteral("A document with the name '") + addIn.name +
                                           QStringLiteral("' is already open."));
    const QString folder = addIn.folder.isEmpty() ? path() : addIn.folder;
    auto book =
        std::make_shared<Workbook>(*this, addInWorkbookModel(), folder + u'/' + addIn.name, true);
    m_addIns.push_back({book, std::move(addIn)});
    return book;
}

const AddInWorkbook* Application::addInOf(const Workbook& book) const
{
    for (const OpenAddIn& open : m_addIns)
        if (open.book.get() == &book)
            return &open.macros;
    return nullptr;
}

std::vector<std::shared_ptr<Workbook>> Application::workbooks() const
{
    auto books = m_books;
    for (const OpenAddIn& open : m_addIns)
        books.push_back(open.book);
    return books;
}

void Application::detach()
{
    for (const auto& book : workbooks())
        book->detach();
    m_books.clear();
    m_addIns.clear();
    m_activation.clear();
    m_workbooks->detach();
    m_commandBars->detach();
    m_comAddIns->detach();
}

QString Application::path() const
{
    if (!m_options.path.isEmpty())
        return m_options.path;
    if (QCoreApplication::instance())
        return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    return QDir::currentPath();
}

std::shared_ptr<Workbook> Application::findByName(const QString& name) const
{
    for (const auto& book : workbooks())
        if (book->name().compare(name, Qt::CaseInsensitive) == 0)
            return book;
    return nullptr;
}

std::shared_ptr<Workbook> Application::findByFullName(const QString& fullName) const
{
    for (const auto& book : workbooks())
        if (book->fullName() == fullName)
            return book;
    return nullptr;
}

std::shared_ptr<Workbook> Application::adopt(std::unique_ptr<model::Workbook> model,
                                             const QString& fullName)
{
    auto book = std::make_shared<Workbook>(*this, std::move(model), fullName, false);
    m_books.push_back(book);
    activated(*book);
    announce(ChangeKind::Workbooks, book.get());
    return book;
}

std::shared_ptr<Workbook> Application::addNew(int sheetCount)
{
    auto model = createWorkbookModel(sheetCount);
    model->defaultFontName = m_options.standardFont;
    model->defaultFontSize = m_options.standardFontSize;
    QString name;
    do
        name = QStringLiteral("Book") + QString::number(nextBookNumber());
    while (findByName(name));
    auto book = adopt(std::move(model), name);
    book->setNeverSaved();
    return book;
}

std::shared_ptr<Workbook> Application::open(const QString& fileName)
{
    const QString fullName = absoluteBookPath(fileName, m_options.defaultFilePath);
    if (auto open = findByFullName(fullName)) {
        open->activate();
        return open;
    }
    const QString name = fileNameOf(fullName);
    if (findByName(name))
        raise(err::ApplicationDefined,
              QStringLiteral("A document with the name '") + name +
                  QStringLiteral("' is already open. You cannot open two documents with the same "
                                 "name, even if the documents are in different folders."));
    return adopt(loadWorkbookModel(fullName), fullName);
}

void Application::closed(Workbook& book)
{
    std::erase(m_activation, &book);
    std::erase_if(m_books, [&book](const auto& b) { return b.get() == &book; });
    std::erase_if(m_addIns, [&book](const OpenAddIn& a) { return a.book.get() == &book; });
    announce(ChangeKind::Workbooks);
}

std::shared_ptr<Workbook> Application::activeWorkbook() const
{
    if (m_activation.empty())
        return nullptr;
    return std::static_pointer_cast<Workbook>(m_activation.back()->shared_from_this());
}

void Application::activated(Workbook& book)
{
    if (book.isAddin())
        return;
    if (!m_activation.empty() && m_activation.back() == &book)
        return;
    std::erase(m_activation, &book);
    m_activation.push_back(&book);
    announce(ChangeKind::Workbooks, &book);
}

std::vector<std::shared_ptr<Window>> Application::windows() const
{
    std::vector<std::shared_ptr<Window>> out;
    for (auto it = m_activation.rbegin(); it != m_activation.rend(); ++it)
        if (auto window = std::static_pointer_cast<Window>((*it)->window()))
            out.push_back(std::move(window));
    return out;
}

void Application::setMainWindowId(std::int32_t id)
{
    if (m_mainWindowId == id)
        return;
    m_mainWindowId = id;
    announce(ChangeKind::Switches);
}

QString Application::caption() const
{
    if (m_captionSet || !m_options.captionFollowsWorkbook)
        return m_options.caption;
    const auto book = activeWorkbook();
    return book ? book->name() + QStringLiteral(" - ") + m_options.caption : m_options.caption;
}

void Application::announce(ChangeKind kind, const Workbook* book, const model::Sheet* sheet) const
{
    m_changes.notify(Change{kind, book, sheet});
}

void Application::setSwitch(bool& value, bool on)
{
    if (value == on)
        return;
    value = on;
    announce(ChangeKind::Switches);
}

bool Application::anyWorkbookOpen() const
{
    return !m_activation.empty();
}

std::shared_ptr<Worksheet> Application::activeSheet() const
{
    const auto book = activeWorkbook();
    return book ? book->activeSheet() : nullptr;
}

ObjectRef Application::selection() const
{
    const auto sheet = activeSheet();
    return sheet ? sheet->selection() : nullptr;
}

render::HostClipboard& Application::clipboard()
{
    if (!m_options.clipboard)
        m_options.clipboard = render::makeProcessClipboard();
    return *m_options.clipboard;
}

void Application::endCutCopyMode()
{
    if (m_cutCopyMode != 0) {
        const auto held = clipboard().content();
        if (held && held->cells)
            clipboard().clear();
    }
    m_cutCopyMode = 0;
}

ObjectRef Application::activeSheetOrRaise(const QString& member) const
{
    auto sheet = activeSheet();
    if (!sheet || !sheet->hasCells())
        raise(err::ApplicationDefined,
              QStringLiteral("Method '") + member + QStringLiteral("' of object '_Global' failed"));
    return sheet;
}

void Application::raiseSheetSelectionChange(const ObjectRef& sheet, const ObjectRef& target)
{
    if (m_enableEvents)
        m_events.fire(QStringLiteral("SheetSelectionChange"), {Variant(sheet), Variant(target)});
}

const MemberTable<Application>& Application::members()
{
    static const MemberTable<Application> table = [] {
        using A = Application;
        MemberTable<A> t;
        const QString index = QStringLiteral("Index");
        t.prop(QStringLiteral("Version"), [](A& a) { return Variant(a.m_options.version); });
        // Setting an empty caption gives the host's own title back.
        t.prop(
            QStringLiteral("Caption"), [](A& a) { return Variant(a.caption()); },
            [](A& a, const Variant& v) {
                const QString caption = v.toString();
                a.m_captionSet = !caption.isEmpty();
                a.m_options.caption = caption.isEmpty() ? a.m_hostCaption : caption;
                a.announce(ChangeKind::Switches);
            });
        t.prop(QStringLiteral("Hwnd"), [](A& a) { return Variant(a.m_mainWindowId); });
        t.member(QStringLiteral("Windows"), {index}, 0, [](A& a, const BoundArgs& args) {
            auto windows = std::make_shared<Windows>(a.windows());
            if (args.has(0))
                return windows->get(QString(), {args.at(0)});
            return Variant(ObjectRef(windows));
        });
        t.prop(
            QStringLiteral("Cursor"), [](A& a) { return Variant(std::int32_t(a.m_cursor)); },
            [](A& a, const Variant& v) {
                const std::int32_t cursor = v.toInt32();
                if (cursor != kCursorDefault && cursor != kCursorNorthwestArrow &&
                    cursor != kCursorWait && cursor != kCursorIBeam)
                    raise(err::ApplicationDefined,
                          QStringLiteral("Unable to set the Cursor property of the Application "
                                         "class"));
                if (a.m_cursor != cursor) {
                    a.m_cursor = cursor;
                    a.announce(ChangeKind::Switches);
                }
            });
        t.prop(QStringLiteral("Name"), [](A&) { return Variant(QStringLiteral("Picrows Host")); });
        t.prop(QStringLiteral("Path"), [](A& a) { return Variant(a.path()); });
        t.prop(QStringLiteral("hInstance"),
               [](A& a) { return Variant(a.m_options.is64Bit ? std::int32_t(0) : kModuleHandle); });
        t.prop(QStringLiteral("Application"), [](A& a) { return Variant(a.shared_from_this()); });
        t.prop(QStringLiteral("Parent"), [](A& a) { return Variant(a.shared_from_this()); });

        t.prop(QStringLiteral("ActiveWorkbook"),
               [](A& a) { return orNothing(a.activeWorkbook()); });
        t.prop(QStringLiteral("ActiveSheet"), [](A& a) { return orNothing(a.activeSheet()); });
        t.prop(QStringLiteral("ActiveWindow"), [](A& a) {
            const auto book = a.activeWorkbook();
            return book ? Variant(book->window()) : Variant(ObjectRef());
        });
        t.prop(QStringLiteral("ActiveCell"), [](A& a) {
            const auto sheet = a.activeSheet();
            return sheet ? Variant(sheet->activeCell()) : Variant(ObjectRef());
        });
        t.prop(QStringLiteral("Selection"), [](A& a) { return Variant(a.selection()); });
        t.member(QStringLiteral("Cells"),
                 {QStringLiteral("RowIndex"), QStringLiteral("ColumnIndex")}, 0,
                 [](A& a, const BoundArgs& args) {
                     return a.activeSheetOrRaise(QStringLiteral("Cells"))
                         ->get(QStringLiteral("Cells"), {args.value(0, Variant::missing()),
                                                         args.value(1, Variant::missing())});
                 });
        t.member(QStringLiteral("Range"), {QStringLiteral("Cell1"), QStringLiteral("Cell2")}, 1,
                 [](A& a, const BoundArgs& args) {
                     return a.activeSheetOrRaise(QStringLiteral("Range"))
                         ->get(QStringLiteral("Range"),
                               {args.at(0), args.value(1, Variant::missing())});
                 });

        t.prop(
            QStringLiteral("ScreenUpdating"), [](A& a) { return Variant(a.m_screenUpdating); },
            [](A& a, const Variant& v) { a.setSwitch(a.m_screenUpdating, v.toBool()); });
        t.prop(
            QStringLiteral("EnableEvents"), [](A& a) { return Variant(a.m_enableEvents); },
            [](A& a, const Variant& v) { a.setSwitch(a.m_enableEvents, v.toBool()); });
        t.prop(
            QStringLiteral("Interactive"), [](A& a) { return Variant(a.m_interactive); },
            [](A& a, const Variant& v) { a.setSwitch(a.m_interactive, v.toBool()); });
        t.prop(
            QStringLiteral("DisplayAlerts"), [](A& a) { return Variant(a.m_displayAlerts); },
            [](A& a, const Variant& v) { a.setSwitch(a.m_displayAlerts, v.toBool()); });
        // False, or the pending operation: 1 copy, 2 cut. Assigning anything clears it.
        t.prop(
            QStringLiteral("CutCopyMode"),
            [](A& a) {
                return a.m_cutCopyMode ? Variant(std::int32_t(a.m_cutCopyMode)) : Variant(false);
            },
            [](A& a, const Variant& v) {
                (void)v.toBool();
                a.endCutCopyMode();
            });
        t.prop(
            QStringLiteral("StandardFont"), [](A& a) { return Variant(a.m_options.standardFont); },
            [](A& a, const Variant& v) { a.m_options.standardFont = v.toString(); });
        t.prop(
            QStringLiteral("StandardFontSize"),
            [](A& a) { return Variant(a.m_options.standardFontSize); },
            [](A& a, const Variant& v) {
                const double size = v.toDouble();
                if (size < 1 || size > 409)
                    raise(err::ApplicationDefined,
                          QStringLiteral("Unable to set the StandardFontSize property of the "
                                         "Application class"));
                a.m_options.standardFontSize = size;
            });
        t.prop(
            QStringLiteral("SheetsInNewWorkbook"),
            [](A& a) { return Variant(std::int32_t(a.m_options.sheetsInNewWorkbook)); },
            [](A& a, const Variant& v) {
                const std::int32_t count = v.toInt32();
                if (count < 1 || count > 255)
                    raise(err::ApplicationDefined,
                          QStringLiteral("Unable to set the SheetsInNewWorkbook property of the "
                                         "Application class"));
                a.m_options.sheetsInNewWorkbook = count;
            });

        t.member(QStringLiteral("Workbooks"), {index}, 0, [](A& a, const BoundArgs& args) {
            if (args.has(0))
                return a.m_workbooks->get(QString(), {args.at(0)});
            return Variant(ObjectRef(a.m_workbooks));
        });
        for (const QString& name : {QStringLiteral("Worksheets"), QStringLiteral("Sheets")})
            t.member(name, {index}, 0, [name](A& a, const BoundArgs& args) {
                const auto book = a.activeWorkbook();
                if (!book)
                    raise(err::ApplicationDefined,
                          QStringLiteral("Method '") + name +
                              QStringLiteral("' of object '_Global' failed"));
                Args forward;
                if (args.has(0))
                    forward.positional.push_back(args.at(0));
                return book->get(name, forward);
            });
        t.prop(QStringLiteral("CommandBars"),
               [](A& a) { return Variant(ObjectRef(a.m_commandBars)); });
        t.member(QStringLiteral("COMAddIns"), {index}, 0, [](A& a, const BoundArgs& args) {
            if (args.has(0))
                return a.m_comAddIns->get(QString(), {args.at(0)});
            return Variant(ObjectRef(a.m_comAddIns));
        });

        // The path the user chose in the save dialog, or False when cancelled; the file is
        // neither written nor checked.
        t.member(QStringLiteral("GetSaveAsFilename"),
                 {QStringLiteral("InitialFilename"), QStringLiteral("FileFilter"),
                  QStringLiteral("FilterIndex"), QStringLiteral("Title"),
                  QStringLiteral("ButtonText")},
                 0, [](A& a, const BoundArgs& args) {
                     if (!a.m_options.saveAsDialog)
                         return Variant(false);
                     SaveAsQuestion question;
                     question.initialFileName = args.value(0, QString()).toString();
                     question.fileFilter = args.value(1, QString()).toString();
                     question.filterIndex = args.value(2, std::int32_t(1)).toInt32();
                     question.title = args.value(3, QString()).toString();
                     const QString chosen = a.m_options.saveAsDialog(question);
                     return chosen.isEmpty() ? Variant(false) : Variant(chosen);
                 });

        t.member(QStringLiteral("Evaluate"), {QStringLiteral("Name")}, 1,
                 [](A& a, const BoundArgs& args) { return evaluate(a, args.at(0).toString()); });

        QStringList runParams{QStringLiteral("Macro")};
        for (int i = 1; i <= 30; ++i)
            runParams << QStringLiteral("Arg") + QString::number(i);
        t.member(QStringLiteral("Run"), runParams, 1,
                 [](A& a, const BoundArgs& args) { return a.run(args); });

        // This host's own: the picture files Pictures.Insert is about to be given, in order,
        // read and checked ahead on the worker threads. Other hosts lack it (438).
        t.member(QStringLiteral("ReadAheadPictureFiles"), {QStringLiteral("Filenames")}, 1,
                 [](A& a, const BoundArgs& args) {
                     QStringList paths;
                     const Variant& list = args.at(0);
                     if (list.isArray()) {
                         for (const Variant& item : list.toArray().items)
                             paths << item.toString();
                     } else {
                         paths << list.toString();
                     }
                     imaging::announcePictureFiles(paths, &a);
                     return Variant();
                 });
        return t;
    }();
    return table;
}

Variant Application::run(const BoundArgs& args)
{
    // Arg1… up to the last one given; one omitted before it stays in its place as Missing.
    int last = 0;
    for (int i = 1; i <= 30; ++i)
        if (args.has(i))
            last = i;
    std::vector<Variant> given;
    for (int i = 1; i <= last; ++i)
        given.push_back(args.value(i, Variant::missing()));
    return runMacro(*this, args.at(0).toString(), given);
}

} // namespace host::objects
