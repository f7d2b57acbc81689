#include "skin/ScreenMessageBox.h"

#include "skin/DeviceScreen.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <QStyle>

namespace {
constexpr QChar kBreakHere(0x200B); // zero-width space: a break opportunity
constexpr QChar kNoBreak(0x2060);   // word joiner: never a break
} // namespace

ScreenMessageBox::ScreenMessageBox(Icon icon, const QString& caption, const QString& text,
                                   QWidget* parent)
    : QMessageBox(parent)
{
    setObjectName(QStringLiteral("ScreenMessageBox"));
    setFont(DeviceScreen::Instance().Font());
    setIcon(icon);
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Nutrava") : caption); // every window has one
    setTextFormat(Qt::PlainText);
    setText(BreakPathsAtSeparators(text));
    setStandardButtons(QMessageBox::Ok);
    ScaleIcon();
}

void ScreenMessageBox::ScaleIcon()
{
    // The style's artwork may be smaller than the screen mode's icon size, and an icon never
    // grows by itself: take its largest image and scale it.
    const std::pair<Icon, QStyle::StandardPixmap> standard[] = {
        {Information, QStyle::SP_MessageBoxInformation},
        {Warning, QStyle::SP_MessageBoxWarning},
        {Critical, QStyle::SP_MessageBoxCritical},
        {Question, QStyle::SP_MessageBoxQuestion}};
    auto* label = findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
    for (const auto& [kind, pixmap] : standard) {
        if (kind != icon() || !label)
            continue;
        const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        const QIcon artwork = style()->standardIcon(pixmap, nullptr, this);
        const QPixmap largest = artwork.pixmap(artwork.actualSize(QSize(1024, 1024)));
        label->setPixmap(largest.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
}

void ScreenMessageBox::Show(QWidget* parent, Icon icon, const QString& caption, const QString& text)
{
    ScreenMessageBox box(icon, caption, text, parent);
    box.exec();
}

QString ScreenMessageBox::BreakPathsAtSeparators(const QString& text)
{
    static const QRegularExpression path(QStringLiteral("\\S*/\\S*"));
    QString out;
    out.reserve(text.size() * 2);
    qsizetype done = 0;
    for (auto matches = path.globalMatch(text); matches.hasNext();) {
        const QRegularExpressionMatch match = matches.next();
        out += QStringView(text).mid(done, match.capturedStart() - done);
        const QString word = match.captured();
        for (qsizetype i = 0; i < word.size(); ++i) {
            out += word[i];
            const bool last = i + 1 == word.size();
            // Never between the halves of a surrogate pair or before a combining mark.
            if (last || word[i].isHighSurrogate() || word[i + 1].isMark())
                continue;
            out += word[i] == u'/' ? kBreakHere : kNoBreak;
        }
        done = match.capturedEnd();
    }
    out += QStringView(text).mid(done);
    return out;
}

void ScreenMessageBox::showEvent(QShowEvent* event)
{
    QMessageBox::showEvent(event); // sizes the box for the desktop
    FitScreen();
}

bool ScreenMessageBox::event(QEvent* event)
{
    // The base would size itself for the desktop again at every layout request, undoing the fit
    // (and re-requesting a layout, endlessly): once shown, the screen decides.
    if (event->type() == QEvent::LayoutRequest && isVisible()) {
        const bool result = QDialog::event(event);
        FitScreen();
        return result;
    }
    return QMessageBox::event(event);
}

void ScreenMessageBox::FitScreen()
{
    const DeviceScreen& screen = DeviceScreen::Instance();
    const QSize area = screen.Size();
    if (width() > area.width()) {
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (label && !label->wordWrap())
            label->setWordWrap(true);
        const int height = layout()->hasHeightForWidth()
                               ? layout()->totalHeightForWidth(area.width())
                               : layout()->totalMinimumSize().height();
        setFixedSize(area.width(), qMin(height, area.height()));
    }
    if (height() > area.height())
        setFixedHeight(area.height());
    screen.Centre(this);
}
