// Renders the skin artwork into two PNGs for review: every bitmap at 1x and 2x with its
// identifier, and mock pages built with the default skin's geometry, so the images can be
// judged where they are used rather than one by one.
//
//   art_contact_sheet <art folder> <sheet.png> <pages.png>

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <cstdio>

namespace {

QString g_folder;

QString ArtPath(const QString& name)
{
    return g_folder + "/" + name + ".svg";
}

bool Draw(QPainter& p, const QString& name, const QRectF& rect)
{
    QSvgRenderer renderer(ArtPath(name));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot render %s\n", qPrintable(ArtPath(name)));
        return false;
    }
    renderer.render(&p, rect);
    return true;
}

bool Draw(QPainter& p, int id, const QRectF& rect)
{
    return Draw(p, QString::number(id), rect);
}

QString TitleOf(const QString& name)
{
    QFile file(ArtPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto match =
        QRegularExpression("<title>(.*)</title>").match(QString::fromUtf8(file.readAll()));
    return match.hasMatch() ? match.captured(1) : QString();
}

QFont Font(int pixels, bool bold = false)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The colour an image sits on where it is used: title bar images and buttons are transparent
// around their shapes and show the section's bar or panel.
QColor Backdrop(const QString& title)
{
    static const QList<std::pair<QString, QColor>> sections = {{"fitness", QColor("#0842B5")},
                                                               {"food", QColor("#007300")},
                                                               {"journal", QColor("#FE9800")},
                                                               {"profile", QColor("#C811C8")}};
    for (const auto& [name, colour] : sections) {
        if (title.startsWith(name + " "))
            return colour;
    }
    return Qt::white;
}

// Every image at 1x and 2x, flowed left to right in rows.
bool Sheet(const QString& out)
{
    struct Entry
    {
        QString name, title;
        QSize size;
        QRect cell;
    };
    QList<Entry> entries;
    for (int id = 3000; id <= 3055; ++id) {
        const QString name = id < 3055 ? QString::number(id) : QString("icon");
        const QSize size = id < 3055 ? QSvgRenderer(ArtPath(name)).defaultSize() : QSize(64, 64);
        entries << Entry{name, TitleOf(name), size, {}};
    }

    const int width = 1600, labelH = 20, gap = 14;
    const QFontMetrics metrics(Font(11));
    QPoint at(gap, gap);
    int rowH = 0;
    for (Entry& e : entries) {
        const int labelW = 40 + metrics.horizontalAdvance(e.title);
        const QSize cell(qMax(e.size.width() * 3 + 8, labelW), e.size.height() * 2 + labelH);
        if (at.x() + cell.width() > width) {
            at = QPoint(gap, at.y() + rowH + gap);
            rowH = 0;
        }
        e.cell = QRect(at, cell);
        at.rx() += cell.width() + gap;
        rowH = qMax(rowH, cell.height());
    }

    QImage image(width, at.y() + rowH + gap, QImage::Format_RGB32);
    image.fill(QColor("#D8D8D8"));
    QPainter p(&image);
    bool ok = true;
    for (const Entry& e : entries) {
        const QPoint cell = e.cell.topLeft();
        p.setPen(Qt::black);
        p.setFont(Font(12, true));
        p.drawText(cell + QPoint(0, 12), e.name);
        p.setFont(Font(11));
        p.drawText(cell + QPoint(40, 12), e.title);
        const QRect one(cell + QPoint(0, labelH), e.size);
        const QRect two(cell + QPoint(e.size.width() + 8, labelH), e.size * 2);
        if (e.name != "icon") {
            p.fillRect(one, Backdrop(e.title));
            p.fillRect(two, Backdrop(e.title));
        }
        ok &= Draw(p, e.name, one);
        ok &= Draw(p, e.name, two);
    }
    return ok && image.save(out);
}

// The images a section's pages share.
struct SectionArt
{
    QColor colour;
    int help, buttonUp, buttonDown;
};

// One mock page: title icon, title and look-up images, bottom captions from the left (slots 1,
// 2, 3) and from the right (slots 0, -1), and the two title text buttons.
struct PageArt
{
    const SectionArt* section;
    int menu, title, lookup;
    QStringList left, right;
    QString btn0 = {}, btn1 = {};
};

void Caption(QPainter& p, const QRectF& rect, const QString& text)
{
    p.setPen(Qt::white);
    p.setFont(Font(11));
    p.drawText(rect, Qt::AlignCenter, text);
}

// One page with the default skin: portrait 240x320, or landscape 320x240 with the "default1"
// title positions and 64-pixel navigation buttons.
bool Page(QPainter& p, QPoint at, const PageArt& s, int pressedNav, bool landscape = false)
{
    const int w = landscape ? 320 : 240, h = landscape ? 240 : 320;
    const int dx = landscape ? 80 : 0, titleY = landscape ? 3 : 1, navW = landscape ? 64 : 48;
    const int panelY = h - 30 - 22;
    bool ok = true;
    p.save();
    p.translate(at);
    p.fillRect(QRect(0, 0, w, h), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(s.section->colour);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, 23), 2, 2);
    ok &= Draw(p, s.menu, QRectF(1, 1, 28, 22));
    ok &= Draw(p, s.title, QRectF(29, titleY, 75, 22));
    ok &= Draw(p, s.section->help, QRectF(227 + dx, 1, 12, 22));
    if (s.btn0.isEmpty()) {
        if (s.lookup)
            ok &= Draw(p, s.lookup, QRectF(107 + dx, 3, 20, 18));
        p.setPen(QColor("#808080"));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(130.5 + dx, 2.5, 93, 19));
        p.setPen(Qt::black);
        p.setFont(Font(11));
        p.drawText(QRectF(134 + dx, 2, 90, 20), Qt::AlignVCenter, "12/06/26");
    } else {
        const QRectF btn0(107 + dx, 3, 57, 18), btn1(167 + dx, 3, 57, 18);
        ok &= Draw(p, s.section->buttonUp, btn0);
        Caption(p, btn0, s.btn0);
        ok &= Draw(p, s.section->buttonUp, btn1);
        Caption(p, btn1, s.btn1);
    }
    p.setPen(Qt::black);
    p.setBrush(s.section->colour);
    p.drawRoundedRect(QRectF(0.5, panelY + 0.5, w - 1, 21), 2, 2);
    for (int i = 0; i < s.left.size(); ++i) {
        const QRectF r(2 + i * 59, panelY + 2, 57, 18);
        ok &= Draw(p, i == 0 ? s.section->buttonDown : s.section->buttonUp, r);
        Caption(p, r, s.left[i]);
    }
    for (int i = 0; i < s.right.size(); ++i) {
        const QRectF r(w - 59 - i * 59, panelY + 2, 57, 18);
        ok &= Draw(p, s.section->buttonUp, r);
        Caption(p, r, s.right[i]);
    }
    const int navUp[] = {3045, 3042, 3001, 3035, 3029};
    const int navDown[] = {3024, 3051, 3034, 3022, 3026};
    for (int i = 0; i < 5; ++i)
        ok &= Draw(p, i == pressedNav ? navDown[i] : navUp[i], QRectF(i * navW, h - 30, navW, 30));
    p.restore();
    return ok;
}

struct Tile
{
    int id;
    QRect rect;
};

bool Home(QPainter& p, QPoint at, QSize screen, const QList<Tile>& tiles, int scale)
{
    p.save();
    p.translate(at);
    p.fillRect(QRect(QPoint(0, 0), screen * scale), Qt::white);
    bool ok = true;
    for (const Tile& t : tiles)
        ok &= Draw(p, t.id, QRectF(t.rect.topLeft() * scale, t.rect.size() * scale));
    p.restore();
    return ok;
}

bool Pages(const QString& out)
{
    const SectionArt food{QColor("#007300"), 3027, 3011, 3018};
    const SectionArt fitness{QColor("#0842B5"), 3054, 3009, 3000};
    const SectionArt journal{QColor("#FE9800"), 3041, 3010, 3025};
    const SectionArt profile{QColor("#C811C8"), 3005, 3007, 3002};
    const QList<PageArt> pages = {
        {&food, 3043, 3039, 3044, {"fav", "add", "delete"}, {"done"}},
        {&fitness, 3015, 3040, 3047, {"fav", "add", "delete"}, {"done"}},
        {&journal, 3006, 3050, 0, {"add", "delete", "edit"}, {"done"}},
        {&profile, 3012, 3033, 0, {"blogger"}, {"done"}, "goals", "results"},
        {&food, 3023, 3030, 0, {"blog"}, {"done"}},
        {&food, 3004, 3031, 0, {"cancel"}, {"done", "add.fav"}},
        {&fitness, 3003, 3019, 0, {"cancel"}, {"add", "delete"}},
        {&food, 3043, 3014, 0, {}, {"done"}},
        {&profile, 3012, 3036, 0, {}, {"done"}, "profile", "results"},
        {&profile, 3012, 3021, 0, {"weight"}, {"done"}, "profile", "goals"},
    };
    const QList<Tile> portrait = {{3038, {4, 5, 232, 62}},   {3053, {4, 71, 232, 26}},
                                  {3046, {4, 101, 114, 79}}, {3017, {122, 101, 114, 79}},
                                  {3028, {4, 184, 114, 79}}, {3032, {122, 184, 114, 79}}};
    const QList<Tile> plain = {{3020, {0, 0, 240, 42}},   {3048, {0, 42, 240, 24}},
                               {3013, {0, 66, 120, 60}},  {3016, {120, 66, 120, 60}},
                               {3049, {0, 126, 120, 62}}, {3008, {120, 126, 120, 62}}};
    QList<Tile> landscape = plain;
    for (Tile& t : landscape)
        t.rect.translate(40, 0);

    QImage image(1330, 2 * 330 + 10 + 650 + 250, QImage::Format_RGB32);
    image.fill(QColor("#808080"));
    QPainter p(&image);
    bool ok = true;
    for (int i = 0; i < pages.size(); ++i)
        ok &= Page(p, QPoint(10 + i % 5 * 250, 10 + i / 5 * 330), pages[i], i % 5);
    const int y = 2 * 330 + 10;
    ok &= Home(p, QPoint(10, y), {240, 320}, portrait, 1);
    ok &= Home(p, QPoint(260, y), {240, 240}, plain, 1);
    ok &= Home(p, QPoint(510, y), {320, 240}, landscape, 1);
    ok &= Home(p, QPoint(840, y), {480, 640}, portrait, 2);
    ok &= Draw(p, "icon", QRectF(510, y + 260, 256, 256));
    ok &= Draw(p, "icon", QRectF(780, y + 260, 48, 48));
    ok &= Draw(p, "icon", QRectF(780, y + 320, 32, 32));
    ok &= Draw(p, "icon", QRectF(780, y + 360, 16, 16));
    ok &= Page(p, QPoint(10, y + 650), pages[1], 3, true);
    ok &= Page(p, QPoint(340, y + 650), pages[3], 1, true);
    return ok && image.save(out);
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <art folder> <sheet.png> <pages.png>\n", argv[0]);
        return 2;
    }
    // Without the font the texts of the artwork come out in a fallback face, or as boxes.
    if (QFontInfo(Font(11)).family() != "DejaVu Sans")
        std::fprintf(stderr, "warning: font \"DejaVu Sans\" is not installed\n");
    g_folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const bool sheet = Sheet(QString::fromLocal8Bit(argv[2]));
    const bool pages = Pages(QString::fromLocal8Bit(argv[3]));
    return sheet && pages ? 0 : 1;
}
