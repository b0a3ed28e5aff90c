#include "main/about/frm_about.h"

#include "main/about/program_version.h"
#include "main/startup/program_paths.h"
#include "platform/message_box.h"
#include "platform/shell.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace picrows {

namespace {

// An add-in's version: major, minor as two digits, build and revision.
QString addinVersionText(std::int32_t major, std::int32_t minor, std::int32_t build,
                         std::int32_t revision)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(major)
        .arg(minor, 2, 10, QLatin1Char('0'))
        .arg(build)
        .arg(revision);
}

// The banner: a few framed pictures in a grid of cells beside the program's name.
QPixmap banner(const QFont& font)
{
    QPixmap pixmap(360, 72);
    pixmap.fill(QColor(0xf4, 0xf7, 0xfb));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0xc8, 0xd0, 0xdc));
    for (int x = 8; x <= 80; x += 24)
        p.drawLine(x, 8, x, 64);
    for (int y = 8; y <= 64; y += 18)
        p.drawLine(8, y, 80, y);
    const QColor colours[] = {QColor(0x4a, 0x90, 0xd9), QColor(0xe0, 0x8a, 0x3c),
                              QColor(0x5d, 0xb3, 0x6a), QColor(0xc9, 0x5b, 0x8f)};
    // Pictures in every other cell of the grid.
    const QPoint places[] = {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}};
    int i = 0;
    for (const QPoint& at : places) {
        const QRect cell(8 + 24 * at.x() + 2, 8 + 18 * at.y() + 2, 20, 14);
        p.fillRect(cell, colours[i++ % 4]);
    }
    QFont title = font;
    title.setPointSizeF(font.pointSizeF() * 1.8);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0x23, 0x3a, 0x5e));
    p.drawText(QRect(96, 0, 260, 72), Qt::AlignVCenter | Qt::AlignLeft, platform::programTitle());
    return pixmap;
}

} // namespace

QString frmAbout::notFoundVersion()
{
    return QStringLiteral("見つかりません");
}

QString frmAbout::notFoundDate()
{
    return QStringLiteral("----/--/--");
}

QString frmAbout::homePage()
{
    return QStringLiteral("https://picrows.example.org/");
}

frmAbout::frmAbout(Bits bits, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(platform::programTitle() +
                   (bits == Bits::Host64 ? QStringLiteral(" - バージョン情報 (64bitモード)")
                                         : QStringLiteral(" - バージョン情報 (32bitモード)")));

    auto* layout = new QVBoxLayout(this);
    auto* art = new QLabel(this);
    art->setObjectName(QStringLiteral("picArtwork"));
    art->setPixmap(banner(font()));
    layout->addWidget(art);

    m_rows = new QGridLayout;
    m_rows->setHorizontalSpacing(18);
    layout->addLayout(m_rows);
    for (const auto& [column, text] :
         {std::pair{1, QStringLiteral("バージョン")}, std::pair{2, QStringLiteral("更新日")}}) {
        auto* heading = new QLabel(text, this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        m_rows->addWidget(heading, 0, column);
    }
    m_rowCount = 1;

    const platform::VersionNumbers main = programVersion();
    addRow(QStringLiteral("Main"), QStringLiteral("メインプログラム"),
           QStringLiteral("%1.%2.0.%3")
               .arg(main.major)
               .arg(main.minor, 2, 10, QLatin1Char('0'))
               .arg(main.revision),
           aboutDateText(programFileDate()));

    std::int32_t major = 0, minor = 0, build = 0, revision = 0;
    QDateTime date;
    if (bits == Bits::Host32) {
        const bool found =
            F_GetVersionInfoByFile(f_GetBaseProgramPath(), major, minor, build, revision, date);
        addRow(QStringLiteral("Base"), QStringLiteral("ベースアドイン"),
               found ? addinVersionText(major, minor, build, revision) : notFoundVersion(),
               found ? aboutDateText(date) : notFoundDate());
        const bool ribbon =
            F_GetVersionInfoByFile(f_GetRibbonProgramPath(), major, minor, build, revision, date);
        addRow(QStringLiteral("Ribbon"), QStringLiteral("リボン用アドイン"),
               ribbon ? addinVersionText(major, minor, build, revision) : notFoundVersion(),
               ribbon ? aboutDateText(date) : notFoundDate());
    } else {
        const QString workbook = f_GetRibbonProgramPath(true);
        addRow(QStringLiteral("Ribbon"), QStringLiteral("リボン用アドイン"), QString(),
               f_CheckDirFile(workbook) ? aboutDateText(QFileInfo(workbook).lastModified())
                                        : notFoundDate());
    }

    auto* link = new QLabel(this);
    link->setObjectName(QStringLiteral("lblHomePage"));
    link->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(homePage()));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, [this] { openHomePage(); });
    layout->addWidget(link);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLabel* frmAbout::addRow(const QString& key, const QString& name, const QString& version,
                         const QString& date)
{
    auto make = [&](const QString& prefix, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(prefix + key);
        return label;
    };
    m_rows->addWidget(make(QStringLiteral("lblName_"), name), m_rowCount, 0);
    m_rows->addWidget(make(QStringLiteral("lblVersion_"), version), m_rowCount, 1);
    QLabel* dateLabel = make(QStringLiteral("lblDate_"), date);
    m_rows->addWidget(dateLabel, m_rowCount, 2);
    ++m_rowCount;
    return dateLabel;
}

void frmAbout::openHomePage()
{
    platform::shell().open(homePage());
}

} // namespace picrows
