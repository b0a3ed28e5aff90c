#include "host/objects/built_in_bars.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/command_bar.h"
#include "host/objects/command_bars.h"
#include "host/objects/picture_commands.h"
#include "host/objects/shape_site.h"
#include "host/objects/window.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

#include <QFileInfo>

namespace host::objects {

namespace {

bool bookOpen(const Application& app)
{
    return app.anyWorkbookOpen();
}

bool notEditing(const Application& app)
{
    return !app.options().cellEditing;
}

bool picturesCanGoIn(const Application& app)
{
    const auto sheet = app.activeSheet();
    return sheet && sheet->hasCells() && !drawingProtected(*sheet) && notEditing(app);
}

BuiltInControl windowCommand(int id, const QString& caption)
{
    return BuiltInControl{id,
                          caption,
                          [id](const Application& app) {
                              const auto& enabled = app.options().windowCommandEnabled;
                              return enabled && enabled(id);
                          },
                          {}};
}

BuiltInControl popup(int id, const QString& caption)
{
    BuiltInControl control{id, caption, {}, {}};
    control.type = ControlType::Popup;
    return control;
}

BuiltInControl zoomBox()
{
    BuiltInControl box{kControlZoomBox, QStringLiteral("ズーム"), bookOpen, {}};
    box.type = ControlType::ComboBox;
    box.list = [](const Application&) {
        return QStringList{QStringLiteral("400%"), QStringLiteral("200%"), QStringLiteral("100%"),
                           QStringLiteral("75%"),  QStringLiteral("50%"),  QStringLiteral("25%"),
                           QStringLiteral("10%")};
    };
    box.text = [](const Application& app) {
        const auto book = app.activeWorkbook();
        if (!book)
            return QString();
        const auto sheet = book->activeSheet();
        return sheet ? QString::number(sheet->sheet().view.zoom) + u'%' : QString();
    };
    // "75%", "75 %" and "75" all mean 75 %; the window refuses what is out of range.
    box.applyText = [](Application& app, const QString& text) {
        QString digits = text.trimmed();
        digits.remove(u'%');
        bool ok = false;
        const int zoom = digits.trimmed().toInt(&ok);
        const auto book = app.activeWorkbook();
        if (!ok || !book)
            raise(err::ApplicationDefined,
                  QStringLiteral("Unable to set the Zoom property of the Window class"));
        book->window()->let(QStringLiteral("Zoom"), Variant(std::int32_t(zoom)));
    };
    return box;
}

// Places built-in controls on a bar: positive Ids in order, a 0 before an Id starts a group.
void place(CommandBar& bar, const CommandBars& bars, std::initializer_list<int> ids)
{
    bool group = false;
    for (int id : ids) {
        if (id == 0) {
            group = true;
            continue;
        }
        const auto control = bar.add(bars.builtIn(id)->type, id, 0);
        if (group)
            control->let(QStringLiteral("BeginGroup"), Variant(true));
        group = false;
    }
}

std::shared_ptr<CommandBar> popupOf(CommandBar& bar, int id)
{
    for (const auto& control : bar.controls())
        if (control->id() == id)
            return control->popupBar();
    return nullptr;
}

} // namespace

void insertPicturesFromFiles(Application& app)
{
    const auto sheet = app.activeSheet();
    if (!sheet || !picturesCanGoIn(app) || !app.options().pictureFilesDialog)
        raise(err::ApplicationDefined,
              QStringLiteral("Unable to get the Insert property of the Pictures class"));
    const QStringList files = app.options().pictureFilesDialog();
    if (files.isEmpty())
        return;
    const ObjectRef pictures = sheet->get(QStringLiteral("Pictures")).toObject();
    std::vector<ObjectRef> inserted;
    QStringList refused;
    for (const QString& file : files) {
        try {
            inserted.push_back(pictures->call(QStringLiteral("Insert"), {file}).toObject());
        } catch (const HostError&) {
            refused << QFileInfo(file).fileName();
        }
    }
    for (size_t i = 0; i < inserted.size(); ++i)
        inserted[i]->call(QStringLiteral("Select"), {Variant(i == 0)});
    if (!refused.isEmpty())
        raise(err::ApplicationDefined,
              QStringLiteral("図を挿入できません: ") + refused.join(QStringLiteral(", ")));
}

void addBuiltInBars(CommandBars& bars)
{
    bars.addBuiltIn({kControlNew, QStringLiteral("新規作成(&N)..."), notEditing,
                     [](Application& a) { a.addNew(a.options().sheetsInNewWorkbook); }});
    bars.addBuiltIn({kControlNewButton, QStringLiteral("新規作成"), notEditing,
                     [](Application& a) { a.addNew(a.options().sheetsInNewWorkbook); }});
    bars.addBuiltIn({kControlOpen, QStringLiteral("開く(&O)..."), notEditing, {}});
    bars.addBuiltIn({kControlClose, QStringLiteral("閉じる(&C)"), bookOpen, {}});
    bars.addBuiltIn({kControlSave, QStringLiteral("上書き保存(&S)"), bookOpen, {}});
    bars.addBuiltIn({kControlSaveAs, QStringLiteral("名前を付けて保存(&A)..."), bookOpen, {}});
    bars.addBuiltIn({kControlExit, QStringLiteral("終了(&X)"), {}, {}});
    bars.addBuiltIn({kControlArrange, QStringLiteral("整列(&A)..."), bookOpen, {}});
    bars.addBuiltIn({kControlInsertPictureFromFile, QStringLiteral("ファイルから(&F)..."),
                     picturesCanGoIn, insertPicturesFromFiles});
    bars.addBuiltIn(zoomBox());
    bars.addBuiltIn(windowCommand(kControlUndo, QStringLiteral("元に戻す(&U)")));
    bars.addBuiltIn(windowCommand(kControlRedo, QStringLiteral("やり直し(&R)")));
    addPictureControls(bars);
    bars.addBuiltIn(popup(kMenuFile, QStringLiteral("ファイル(&F)")));
    bars.addBuiltIn(popup(kMenuEdit, QStringLiteral("編集(&E)")));
    bars.addBuiltIn(popup(kMenuInsert, QStringLiteral("挿入(&I)")));
    bars.addBuiltIn(popup(kMenuInsertPicture, QStringLiteral("図(&P)")));
    bars.addBuiltIn(popup(kMenuWindow, QStringLiteral("ウィンドウ(&W)")));

    const auto menuBar =
        bars.addBar(QStringLiteral("Worksheet Menu Bar"),
                    QStringLiteral("ワークシート メニュー バー"), BarType::MenuBar, true);
    place(*menuBar, bars, {kMenuFile, kMenuEdit, kMenuInsert, kMenuWindow});
    place(*popupOf(*menuBar, kMenuFile), bars,
          {kControlNew, kControlOpen, kControlClose, 0, kControlSave, kControlSaveAs, 0,
           kControlExit});
    place(*popupOf(*menuBar, kMenuEdit), bars, {kControlUndo, kControlRedo});
    const auto insert = popupOf(*menuBar, kMenuInsert);
    place(*insert, bars, {kMenuInsertPicture});
    place(*popupOf(*insert, kMenuInsertPicture), bars, {kControlInsertPictureFromFile});
    place(*popupOf(*menuBar, kMenuWindow), bars, {kControlArrange});

    place(*bars.addBar(QStringLiteral("Standard"), QStringLiteral("標準"), BarType::Toolbar, true),
          bars,
          {kControlNewButton, kControlOpen, kControlSave, 0, kControlUndo, kControlRedo, 0,
           kControlInsertPictureFromFile, 0, kControlZoomBox});
    place(*bars.addBar(QStringLiteral("Formatting"), QStringLiteral("書式設定"), BarType::Toolbar,
                       true),
          bars, {kControlFontBox});
    place(*bars.addBar(QStringLiteral("Picture"), QStringLiteral("図"), BarType::Toolbar, true),
          bars, {kControlInsertPictureFromFile, 0, kControlCrop, 0, kControlResetPicture});
    place(*bars.addBar(QStringLiteral("Pictures Context Menu"),
                       QStringLiteral("図のショートカット メニュー"), BarType::Popup, true),
          bars, {kControlCrop, kControlResetPicture});
}

} // namespace host::objects
